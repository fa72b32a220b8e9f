"""Trajectories: every frame in the file exactly once, under its own node whose
scale a STEP animation switches on at its time; the same file from ASE and
MDAnalysis; clear refusals."""

import numpy as np
import pytest

import spatial_assembler as sa
from glb_reading import accessor_values, node_transform, read_glb

RNG = np.random.default_rng(11)


def frame_positions(glb, node_index):
    """The points a frame's node draws, in the scene's coordinates (its subtree's translations and scales)."""
    document = glb.document
    rows = []

    def walk(index, offset, scale):
        node = document["nodes"][index]
        translation, own = node_transform(node)
        offset, scale = offset + scale * np.array(translation), scale * np.array(own)
        if "mesh" in node:
            primitive = document["meshes"][node["mesh"]]["primitives"][0]
            rows.append(offset + scale * accessor_values(glb, primitive["attributes"]["POSITION"]))
        for child in node.get("children", []):
            walk(child, offset, scale)

    walk(node_index, np.zeros(3), np.ones(3))
    return np.concatenate(rows)


@pytest.mark.parametrize("encoding", ["float32", "compact"])
def test_every_frame_is_drawn_in_its_time(validator, encoding):
    frames = RNG.normal(size=(12, 300, 3)) * [5, 1, 0.01]
    fps = 24.0
    glb = read_glb(sa.trajectory(frames, elements=RNG.integers(1, 30, 300), fps=fps, encoding=encoding))
    document = glb.document
    holders = document["scenes"][0]["nodes"]
    assert [document["nodes"][i]["name"] for i in holders] == [f"Frame {k}" for k in range(12)]
    (animation,) = document["animations"]
    assert [channel["target"] for channel in animation["channels"]] == [{"node": i, "path": "scale"} for i in holders]
    for k, (holder, channel) in enumerate(zip(holders, animation["channels"])):
        sampler = animation["samplers"][channel["sampler"]]
        assert sampler["interpolation"] == "STEP"
        times = accessor_values(glb, sampler["input"])[:, 0]
        scales = accessor_values(glb, sampler["output"])[:, 0]
        # Shown (scale 1) from k / fps, hidden (0) before and after one frame's time.
        expected = [0.0, (k + 1) / fps] if k == 0 else [0.0, k / fps, (k + 1) / fps]
        assert np.allclose(times, expected, rtol=1e-7) and list(scales) == ([1, 0] if k == 0 else [0, 1, 0])
        assert node_transform(document["nodes"][holder])[1] == ([1, 1, 1] if k == 0 else [0, 0, 0])
        written = np.sort(frame_positions(glb, document["nodes"][holder]["children"][0]), axis=0)
        given = np.sort(frames[k], axis=0)  # each axis sorted: the same rows, compared axis by axis
        # float32 rounding, and half a quantisation step of the frame's own extent on each axis
        error = np.abs(given) * 2.0**-24 + (np.ptp(frames[k], axis=0) / 65535 / 2 if encoding == "compact" else 0)
        assert np.all(np.abs(written - given) <= error * (1 + 1e-6))
    validator.assert_valid(sa.trajectory(frames, fps=fps, encoding=encoding, style="spheres", radius=0.2))


def test_frames_from_a_sequence_and_from_ase_and_mdanalysis(validator):
    ase_build = pytest.importorskip("ase.build")
    mda = pytest.importorskip("MDAnalysis")
    molecule = ase_build.molecule("CH3CH2OH")
    frames = []
    for k in range(5):
        frame = molecule.copy()
        frame.rattle(0.05, rng=np.random.default_rng(k))
        frames.append(frame)
    stacked = np.stack([frame.positions for frame in frames])
    expected = sa.trajectory(stacked, elements=molecule.numbers, style="spheres", fps=10)
    assert sa.trajectory([frame.positions for frame in frames], elements=molecule.numbers, style="spheres") == expected
    assert sa.from_ase(frames) == expected
    universe = mda.Universe.empty(len(molecule), trajectory=True)
    universe.add_TopologyAttr("elements", molecule.get_chemical_symbols())
    universe.load_new(stacked.astype(np.float32), format=mda.coordinates.memory.MemoryReader)
    from_universe = sa.from_mdanalysis(universe, style="spheres", step=2)
    assert from_universe == sa.trajectory(stacked[::2].astype(np.float32), elements=molecule.numbers, style="spheres")
    validator.assert_valid(expected, from_universe, sa.from_ase(frames, style="ball-and-stick", encoding="compact"))


def test_bad_trajectories_are_refused_naming_the_frame():
    frames = RNG.random((6, 10, 3))
    with pytest.raises(ValueError, match="^frames must hold the same atoms: frame 1 has 9, the first 10$"):
        sa.trajectory([frames[0], frames[1][:9]])
    broken = frames.copy()
    broken[3, 2, 1] = np.nan
    with pytest.raises(ValueError, match="^frame 3: positions must be finite numbers, but row 2, column 1 holds nan$"):
        sa.trajectory(broken)
    for fps in (0, -5, float("nan")):
        with pytest.raises(ValueError, match="^fps must be a positive number"):
            sa.trajectory(frames, fps=fps)
    with pytest.raises(ValueError, match="^frames hold no frame"):
        sa.trajectory(np.zeros((0, 10, 3)))
    with pytest.raises(ValueError, match=r"^frames must have shape \(frames, atoms, 3\)"):
        sa.trajectory(frames[0])
    with pytest.raises(ValueError, match="^from_ase: every frame must hold the same atoms"):
        ase_build = pytest.importorskip("ase.build")
        sa.from_ase([ase_build.molecule("H2O"), ase_build.molecule("CH4")])
    # 4 GiB or more is refused before anything is read: 40 frames of 5M atoms, with no memory behind them.
    huge = np.broadcast_to(np.zeros(3, np.float32), (40, 5_000_000, 3))
    with pytest.raises(ValueError, match="4 GiB"):
        sa.trajectory(huge)
