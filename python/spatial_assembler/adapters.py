"""GLBs from the libraries users hold their data in. Each library is imported
only when its adapter is called, and is an optional extra of the distribution:
``pip install spatial-assembler[ase]`` or ``[trimesh]``."""

from __future__ import annotations

import importlib
import io
import warnings
from pathlib import Path
from typing import TYPE_CHECKING, Any, overload

import numpy as np

from ._inputs import Encoding, Normals, Style
from .scene import Scene, lines_options, mesh_options, one_part, points_options

if TYPE_CHECKING:  # Python 3.12's name for the buffer protocol; annotations are never evaluated
    from collections.abc import Buffer


def _optional(module: str, extra: str) -> Any:
    """The optional library, imported only when its adapter is called."""
    try:
        return importlib.import_module(module)
    except ImportError as error:
        raise ImportError(f"this adapter needs {extra}: pip install {extra}") from error


@overload
def from_ase(atoms: Any, *, style: Style = "spheres", bonds: Any = None, cell: Any = None, bounds: Any = None,
             radius: Any = None, radii: Any = None, colors: Any = None, values: Any = None, cmap: Any = None,
             vmin: Any = None, vmax: Any = None, instancing: bool = True, encoding: Encoding = "float32",
             fps: float = 10.0, out: None = None) -> bytes: ...
@overload
def from_ase(atoms: Any, *, style: Style = "spheres", bonds: Any = None, cell: Any = None, bounds: Any = None,
             radius: Any = None, radii: Any = None, colors: Any = None, values: Any = None, cmap: Any = None,
             vmin: Any = None, vmax: Any = None, instancing: bool = True, encoding: Encoding = "float32",
             fps: float = 10.0, out: Buffer) -> memoryview: ...
def from_ase(atoms: Any, *, style: Style = "spheres", bonds: Any = None, cell: Any = None, bounds: Any = None,
             radius: Any = None, radii: Any = None, colors: Any = None, values: Any = None, cmap: Any = None,
             vmin: Any = None, vmax: Any = None, instancing: bool = True, encoding: Encoding = "float32",
             fps: float = 10.0, out: Buffer | None = None) -> bytes | memoryview:
    """The atoms of an ``ase.Atoms`` (positions in Å, coloured by element), drawn as
    spheres by default (molecules and crystals are what ASE holds). bonds: found
    by the core from the elements for ball-and-stick (covalent radii plus 0.4 Å,
    across the cell's faces along the periodic axes of atoms.pbc), True or False
    to say so, or (m, 2) atom index pairs. cell: the cell drawn as its edges,
    atoms.cell by default for a periodic system (False: none). bounds: the
    Morton box; the atoms' own extremes when omitted. The other arguments, out
    included, are those of spatial_assembler.atoms (colors, or values with
    cmap, vmin and vmax, in place of the elements' colours).

    A list of Atoms (or an ASE trajectory, which reads its frames one by one)
    becomes a trajectory (spatial_assembler.trajectory), frame k at time k / fps;
    bonds are found in each frame."""
    Atoms = _optional("ase", "ase").Atoms

    from . import atoms as atom_glb
    from .trajectories import trajectory

    frames = None if isinstance(atoms, Atoms) else list(atoms) if _is_sequence_of(atoms, Atoms) else None
    if not isinstance(atoms, Atoms) and frames is None:
        raise TypeError(f"from_ase needs an ase.Atoms or a list of them, not {type(atoms).__name__}")
    first = atoms if frames is None else frames[0]
    if frames is not None:
        for k, frame in enumerate(frames):
            if len(frame) != len(first) or not np.array_equal(frame.numbers, first.numbers):
                raise ValueError(f"from_ase: every frame must hold the same atoms, but frame {k} differs from the first")
    periodic = bool(np.any(first.pbc)) and first.cell.rank == 3
    if cell is None:
        cell = first.cell.array if periodic else None
    elif cell is False:
        cell = None
    options: dict[str, Any] = dict(elements=first.numbers, bounds=bounds, style=style, radius=radius, radii=radii,
                                   bonds=bonds, cell=cell, pbc=[bool(axis) for axis in first.pbc],
                                   colors=colors, values=values, cmap=cmap, vmin=vmin, vmax=vmax,
                                   instancing=instancing, encoding=encoding)
    if frames is None:
        return atom_glb(atoms.positions, **options, out=out)
    return trajectory(np.stack([frame.positions for frame in frames]), fps=fps, **options, out=out)


def _is_sequence_of(value: Any, kind: type) -> bool:
    try:
        return len(value) > 0 and all(isinstance(item, kind) for item in value)
    except TypeError:
        return False


def from_mdanalysis(atoms: Any, *, start: int | None = None, stop: int | None = None, step: int | None = None,
                    style: Style = "points", fps: float = 10.0, encoding: Encoding = "float32", **options: Any) -> bytes:
    """The frames of an MDAnalysis Universe or AtomGroup (positions in Å) as a
    trajectory (spatial_assembler.trajectory), read frame by frame from
    trajectory[start:stop:step] into one array. Atoms are coloured by element
    where the topology has elements, else by the element guessed from their
    names. The other options are those of spatial_assembler.trajectory."""
    MDAnalysis = _optional("MDAnalysis", "mdanalysis")
    from .trajectories import trajectory

    group = atoms.atoms if isinstance(atoms, MDAnalysis.Universe) else atoms
    if not isinstance(group, MDAnalysis.AtomGroup):
        raise TypeError(f"from_mdanalysis needs an MDAnalysis Universe or AtomGroup, not {type(atoms).__name__}")
    steps = group.universe.trajectory[start:stop:step]
    frames = np.empty((len(steps), len(group), 3), np.float32)
    for k, _ in enumerate(steps):
        frames[k] = group.positions
    if "elements" not in options and "types" not in options:
        if not hasattr(group, "elements"):
            group.universe.guess_TopologyAttrs(to_guess=["elements"])  # from the atoms' names
        options["elements"] = [str(symbol).strip().capitalize() or "X" for symbol in group.elements]
    glb: bytes = trajectory(frames, style=style, fps=fps, encoding=encoding, **options)
    return glb


def _warn(message: str) -> None:
    """A UserWarning shown at the caller's line, outside this package."""
    warnings.warn(message, UserWarning, skip_file_prefixes=(str(Path(__file__).parent),))


# What a trimesh geometry becomes: the keyword arguments of Scene.mesh,
# Scene.points or Scene.lines.

def _face_colored(vertices: np.ndarray, faces: np.ndarray, face_colors: np.ndarray) -> dict[str, Any]:
    """Face colours as vertex colours: one vertex per original vertex and colour of the faces around it,
    so that each face keeps its own colour and faces of one colour still share their vertices."""
    rgba = np.ascontiguousarray(np.broadcast_to(np.asarray(face_colors, np.uint8), (len(faces), 4)))
    corner_colors = np.repeat(rgba.view(np.uint32).ravel(), 3)
    keys = (faces.ravel().astype(np.int64) << 32) | corner_colors.astype(np.int64)
    unique, inverse = np.unique(keys, return_inverse=True)
    colors = (unique & 0xFFFFFFFF).astype(np.uint32).view(np.uint8).reshape(-1, 4)
    return {"positions": vertices[unique >> 32], "faces": inverse.reshape(-1, 3), "colors": colors}


_IMAGE_SIGNATURES = {"PNG": b"\x89PNG\r\n\x1a\n", "JPEG": b"\xff\xd8\xff"}


def _image_bytes(image: Any) -> Any:
    """A texture as the file embeds it: the PNG or JPEG file a Pillow image was read from, as long as
    Pillow has not loaded its pixels (so nobody changed them); else the image encoded as PNG."""
    signature = _IMAGE_SIGNATURES.get(getattr(image, "format", None) or "")
    source = getattr(image, "fp", None)
    if signature is not None and source is not None:
        try:
            position = source.tell()
            source.seek(0)
            data = source.read()
            source.seek(position)
        except (AttributeError, OSError, ValueError):
            data = b""
        if isinstance(data, bytes) and data.startswith(signature):
            return data
    if not hasattr(image, "save"):
        return image  # an array: mesh() encodes it
    if image.mode not in ("L", "LA", "RGB", "RGBA"):
        image = image.convert("RGBA" if "A" in image.mode or "transparency" in image.info else "RGB")
    encoded = io.BytesIO()
    image.save(encoded, format="PNG")
    return encoded.getvalue()


def _material_arguments(visual: Any, vertex_count: int, trimesh: Any) -> dict[str, Any]:
    """A TextureVisuals' material (PBR factors, its texture with the uv) and vertex colours."""
    arguments: dict[str, Any] = {}
    colors = getattr(visual, "vertex_attributes", {}).get("color")
    if colors is not None and len(colors) == vertex_count:
        arguments["colors"] = np.asarray(colors)
    material = visual.material
    image = None
    if isinstance(material, trimesh.visual.material.PBRMaterial):
        image = material.baseColorTexture
        if material.baseColorFactor is not None:
            base = np.asarray(material.baseColorFactor, np.float64) / 255
            if material.alphaMode != "BLEND":
                base[3] = 1.0  # an opaque material ignores its alpha
            arguments["base_color"] = base
        for option, value in (("metallic", material.metallicFactor), ("roughness", material.roughnessFactor)):
            if value is not None:
                arguments[option] = float(np.clip(value, 0, 1))
        if material.emissiveFactor is not None:
            arguments["emissive"] = np.clip(np.asarray(material.emissiveFactor, np.float64), 0, 1)
        if material.doubleSided is not None:
            arguments["double_sided"] = bool(material.doubleSided)
    elif isinstance(material, trimesh.visual.material.SimpleMaterial):
        image = material.image
        if image is None:  # its diffuse colour; with an image, the image as it is (as trimesh shows it)
            arguments["base_color"] = np.asarray(material.diffuse, np.float64) / 255
    uv = getattr(visual, "uv", None)
    if image is not None:
        if uv is None or len(uv) != vertex_count:
            _warn("from_trimesh: a texture without one uv per vertex is left out")
        else:
            uv = np.asarray(uv, np.float64)
            arguments["uv"] = np.column_stack([uv[:, 0], 1 - uv[:, 1]])  # glTF's v runs down from the image's top
            arguments["texture"] = _image_bytes(image)
    return arguments


def _mesh_arguments(geometry: Any, trimesh: Any) -> dict[str, Any]:
    """A Trimesh as trimesh shows it: its vertex colours, face colours, or material and texture."""
    visual: Any = geometry.visual
    vertices, faces = np.asarray(geometry.vertices), np.asarray(geometry.faces)
    kind = None if visual is None else visual.kind
    if kind == "face":
        return _face_colored(vertices, faces, visual.face_colors)
    arguments: dict[str, Any] = {"positions": vertices, "faces": faces}
    if kind == "vertex":
        arguments["colors"] = np.asarray(visual.vertex_colors, np.uint8)
    elif kind == "texture":
        arguments.update(_material_arguments(visual, len(vertices), trimesh))
    return arguments


def _path_arguments(path: Any, trimesh: Any) -> dict[str, Any]:
    """A Path as lines: each entity's segments (curves as trimesh discretises them), in its colour if it
    has one."""
    if isinstance(path, trimesh.path.Path2D):
        path = path.to_3D()
    vertices = np.asarray(path.vertices, np.float64)
    entity_colors = path.colors
    shared = entity_colors is None  # plain lines index the path's vertices; others get points of their own
    positions, segments, colors = [vertices] if shared else [], [], []
    count = len(vertices) if shared else 0
    for number, entity in enumerate(path.entities):
        if shared and isinstance(entity, trimesh.path.entities.Line):
            indices = np.asarray(entity.points, np.int64)
        else:
            points = np.asarray(entity.discrete(vertices), np.float64).reshape(-1, 3)
            positions.append(points)
            indices = np.arange(count, count + len(points))
            count += len(points)
            if not shared:
                colors.append(np.repeat(np.asarray(entity_colors[number], np.uint8)[None], len(points), 0))
        segments.append(np.column_stack([indices[:-1], indices[1:]]))
    return {"positions": np.concatenate(positions) if positions else np.zeros((0, 3)),
            "segments": np.concatenate(segments) if segments else np.zeros((0, 2), np.int64),
            "colors": np.concatenate(colors) if colors else None}


def _cloud_arguments(cloud: Any) -> dict[str, Any]:
    colors = np.asarray(cloud.colors)
    return {"positions": np.asarray(cloud.vertices), "colors": colors if len(colors) else None}


def _kind_of(geometry: Any, trimesh: Any) -> str | None:
    if isinstance(geometry, trimesh.Trimesh):
        return "mesh"
    if isinstance(geometry, trimesh.PointCloud):
        return "points"
    if isinstance(geometry, trimesh.path.path.Path):
        return "lines"
    return None


# ---------------------------------------------------------------------------
# Files that trimesh read but could not decode.

def _warn_undecoded(what: str, extensions: Any) -> None:
    if isinstance(extensions, dict) and extensions:
        _warn(f"from_trimesh: {what} uses {', '.join(map(str, extensions))}, which trimesh keeps but does not apply, "
              "so that it draws otherwise than the file (an instanced node's geometry once, not at every instance): "
              "read the file with a glTF reader that decodes it, or write it without (instancing=False for spheres)")


def _warn_quantized(name: str, geometry: Any) -> None:
    """KHR_mesh_quantization's positions are signed normalised 16-bit integers around the centre, which
    trimesh reads as whole numbers from -32767 to 32767 (both on the widest axis), without dividing them: the
    geometry comes out 32767 times too large. trimesh keeps no trace of the extension, so the numbers tell."""
    vertices = np.asarray(getattr(geometry, "vertices", ()))
    if vertices.ndim == 2 and len(vertices) and vertices.min() == -32767 and vertices.max() == 32767 and \
            np.array_equal(vertices, np.round(vertices)):
        _warn(f"from_trimesh: {name} holds whole numbers from -32767 to 32767, as trimesh reads the 16-bit positions "
              "of a compact file (KHR_mesh_quantization) without decoding them: it is drawn 32767 times too large; "
              "load compact files with a glTF reader that decodes them, or write them with encoding='float32'")


def _check_decoded(scene: Any) -> None:
    _warn_undecoded("the scene", scene.metadata.get("gltf_extensions"))
    for (_, child), data in scene.graph.transforms.edge_data.items():
        _warn_undecoded(f"node '{child}'", (data.get("metadata") or {}).get("gltf_extensions"))
    for name, geometry in scene.geometry.items():
        _warn_undecoded(f"geometry '{name}'", geometry.metadata.get("gltf_extensions"))
        _warn_quantized(f"geometry '{name}'", geometry)


def _decomposes(transform: np.ndarray) -> bool:
    """Whether glTF can hold the matrix as a node's (translation, rotation, scale): the core's rule. The others
    (shears) are applied to the geometry instead."""
    if not np.all(np.isfinite(transform)) or not np.array_equal(transform[3], [0, 0, 0, 1]):
        return True  # the core refuses it, naming the part
    columns = transform[:3, :3]
    lengths = np.linalg.norm(columns, axis=0)
    dots = columns.T @ columns
    return all(abs(dots[a, b]) <= 1e-6 * lengths[a] * lengths[b] for a in range(3) for b in range(a + 1, 3))


@overload
def from_trimesh(geometry: Any, *, normals: Normals = "auto", crease_angle: float = 30.0,
                 encoding: Encoding = "float32", out: None = None) -> bytes: ...
@overload
def from_trimesh(geometry: Any, *, normals: Normals = "auto", crease_angle: float = 30.0,
                 encoding: Encoding = "float32", out: Buffer) -> memoryview: ...
def from_trimesh(geometry: Any, *, normals: Normals = "auto", crease_angle: float = 30.0,
                 encoding: Encoding = "float32", out: Buffer | None = None) -> bytes | memoryview:
    """A trimesh object as it shows itself.

    ``trimesh.Scene`` (what ``trimesh.load`` returns for a GLB): a spatial_assembler.Scene of one part
    per geometry node, named after the node and placed by its world transform (shears are applied to the
    geometry, which glTF's nodes cannot hold). ``trimesh.Trimesh``: a mesh with its vertex colours, its
    face colours (on vertices of their own where colours meet), or its material (base colour, metallic,
    roughness, emissive, double-sidedness of a PBR material; the diffuse colour of a simple one) and
    texture with its uv (the image's own PNG or JPEG bytes while Pillow has not loaded it, else encoded as
    PNG). ``trimesh.PointCloud``: points with their colours. ``trimesh.path.Path3D`` (or Path2D): lines,
    each entity's segments. normals and crease_angle: for meshes, as mesh() takes them. A file that used
    glTF extensions trimesh does not decode (an instanced or compact GLB read with trimesh.load) draws
    wrong: a warning says so."""
    trimesh = _optional("trimesh", "trimesh")
    shading = {"normals": normals, "crease_angle": crease_angle}
    if isinstance(geometry, trimesh.Scene):
        _check_decoded(geometry)
        return _scene_of(geometry, trimesh, shading).glb(encoding=encoding, out=out)
    kind = _kind_of(geometry, trimesh)
    if kind is None:
        raise TypeError(f"from_trimesh needs a trimesh.Trimesh, trimesh.PointCloud, trimesh.path.Path3D or "
                        f"trimesh.Scene, not {type(geometry).__name__}")
    _warn_undecoded("the geometry", geometry.metadata.get("gltf_extensions"))
    _warn_quantized("the geometry", geometry)
    if kind == "mesh":
        arguments = _mesh_arguments(geometry, trimesh)
        options = mesh_options(arguments.pop("positions"), arguments.pop("faces"), **_mesh_defaults(arguments, shading))
    elif kind == "points":
        options = points_options(**_cloud_arguments(geometry))
    else:
        options = lines_options(**_path_arguments(geometry, trimesh), color=None)
    return one_part(kind, options, encoding, out)


def _mesh_defaults(arguments: dict[str, Any], shading: dict[str, Any]) -> dict[str, Any]:
    """mesh_options' keyword arguments: the mesh's own, else mesh()'s defaults."""
    defaults: dict[str, Any] = {"colors": None, "uv": None, "texture": None, "base_color": None, "metallic": 0.0,
                                "roughness": 0.5, "emissive": (0.0, 0.0, 0.0), "double_sided": True}
    return {**defaults, **shading, **arguments}


def _scene_of(scene: Any, trimesh: Any, shading: dict[str, Any]) -> Scene:
    """A trimesh Scene's geometry nodes as the parts of a Scene, in the graph's order."""
    result = Scene()
    for node in scene.graph.nodes_geometry:
        transform, geometry_name = scene.graph[node]
        geometry = scene.geometry[geometry_name]
        kind = _kind_of(geometry, trimesh)
        if kind is None:
            _warn(f"from_trimesh: node '{node}' holds a {type(geometry).__name__}, which is left out")
            continue
        matrix = np.asarray(transform, np.float64)
        placement: dict[str, Any] = {"name": str(node), "transform": matrix}
        if not _decomposes(matrix):
            geometry = geometry.copy()
            geometry.apply_transform(matrix)
            placement["transform"] = None
        try:
            if kind == "mesh":
                arguments = _mesh_arguments(geometry, trimesh)
                result.mesh(arguments.pop("positions"), arguments.pop("faces"),
                            **_mesh_defaults(arguments, shading), **placement)
            elif kind == "points":
                result.points(**_cloud_arguments(geometry), **placement)
            else:
                result.lines(**_path_arguments(geometry, trimesh), **placement)
        except (ValueError, TypeError) as error:  # as the part is added: say which node
            raise type(error)(f"from_trimesh: node '{node}': {error}") from None
    if not len(result):
        raise ValueError("from_trimesh: the Scene holds no geometry (no Trimesh, PointCloud or Path)")
    return result
