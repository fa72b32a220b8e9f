"""Element colours against ASE's Jmol table, colour maps against matplotlib's
own colormap objects, and the errors of bad values and names."""

import itertools

import matplotlib
import numpy as np
import pytest
from ase.data import atomic_numbers
from ase.data.colors import jmol_colors
from matplotlib.colors import Normalize

import spatial_assembler as sa

RNG = np.random.default_rng(7)
COMMON = "H C N O S P F Cl Br I Fe Cu Ni Co Mn Cr Pt Pd Au Ag Zn Si Ti Al Mg Ca Na K Li B Sn Pb".split()


def test_element_colors_are_jmols():
    colors = sa.elements.COLORS
    assert colors.shape == (119, 3) and colors.dtype == np.float32
    known = len(jmol_colors)
    assert np.allclose(colors[:known], jmol_colors, atol=1e-7)
    assert np.array_equal(colors[known:], np.repeat(colors[known - 1:known], 119 - known, axis=0))
    assert colors[1].tolist() == [1.0, 1.0, 1.0]  # hydrogen white


def test_common_elements_look_different():
    """Every pair of common elements lies at least 0.12 apart in RGB, but titanium and silver, whose Jmol
    greys nearly agree (the table's own choice, kept)."""
    colors = sa.elements.COLORS
    close = {(a, b) for a, b in itertools.combinations(COMMON, 2)
             if np.linalg.norm(colors[atomic_numbers[a]] - colors[atomic_numbers[b]]) < 0.12}
    assert close == {("Ag", "Ti")}
    # The metals that the eight-row palette drew alike are apart now.
    metals = [atomic_numbers[s] for s in "Fe Cu Ni Pt Si Ti".split()]
    assert len({tuple(colors[z]) for z in metals}) == len(metals)


@pytest.mark.parametrize("name", sa.colormaps.NAMES)
def test_colormaps_are_matplotlibs(name):
    reference = matplotlib.colormaps[name]
    assert np.allclose(sa.colormap(name), reference(np.arange(256))[:, :3], atol=1e-7)
    # Values inside and outside the range, float64 and integers, as matplotlib maps them.
    values = RNG.normal(size=2000) * 3
    for vmin, vmax in [(-2.0, 5.0), (0.0, 0.0), (1e-3, 1e-3 + 1e-9)]:
        expected = reference(Normalize(vmin, vmax)(values))[:, :3]
        assert np.abs(sa.map_values(values, name, vmin=vmin, vmax=vmax) - expected).max() <= 1 / 255
    integers = RNG.integers(-50, 50, 500, dtype=np.int16)
    expected = reference(Normalize(-50, 49)(integers.astype(np.float64)))[:, :3]
    assert np.abs(sa.map_values(integers, name) - expected).max() <= 1 / 255


def test_map_values_defaults_and_names():
    values = np.array([3.0, -1.0, 7.0, 5.0])
    colors = sa.map_values(values)
    viridis = sa.colormap("viridis")
    assert colors.shape == (4, 3) and colors.dtype == np.float32
    assert np.array_equal(colors[1], viridis[0]) and np.array_equal(colors[2], viridis[255])
    assert np.array_equal(sa.map_values(values, "rdbu"), sa.map_values(values, "RdBu"))
    assert np.array_equal(sa.map_values([2.0, 2.0]), viridis[[0, 0]])  # no spread: the first colour
    assert sa.map_values(np.zeros(0)).shape == (0, 3)
    assert np.array_equal(sa.map_values(values.astype(np.float32), vmin=-1, vmax=7), colors)
    assert set(sa.colormaps.NAMES) >= {"viridis", "magma", "inferno", "plasma", "cividis", "turbo", "coolwarm"}


@pytest.mark.parametrize("call, error, words", [
    (lambda: sa.colormap("jet"), ValueError, "colormap must be one of 'viridis', 'magma'"),
    (lambda: sa.map_values([1.0, 2.0], "virdis"), ValueError, "not 'virdis'"),
    (lambda: sa.map_values([1.0, float("nan"), 2.0]), ValueError, "values must be finite numbers, but row 1 holds nan"),
    (lambda: sa.map_values([1.0, 2.0, float("inf")], vmin=0, vmax=1), ValueError, "row 2 holds inf"),
    (lambda: sa.map_values([1.0, 2.0], vmin=3, vmax=1), ValueError, "vmin must not lie above vmax"),
    (lambda: sa.map_values([1.0, 2.0], vmin=float("nan")), ValueError, "vmin must be a finite number"),
    (lambda: sa.map_values(np.ones((2, 2))), ValueError, "values must have shape (n,)"),
    (lambda: sa.map_values(np.array([True, False])), TypeError, "values must hold real numbers"),
])
def test_bad_values_and_names(call, error, words):
    with pytest.raises(error) as raised:
        call()
    assert words in str(raised.value)
