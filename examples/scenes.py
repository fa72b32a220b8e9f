"""The demo's embedded default data: a spiral galaxy of coloured points, a crystal
nanoparticle of about a million atoms, a coloured terrain mesh, all generated
with numpy from fixed random streams so that every run writes the same files,
and a DNA base pair from ASE's S22 collection."""

import numpy as np


def exact_bounds(positions):
    """Bounds that the six-decimal "min"/"max" of the document state exactly.

    Coordinates are rounded to four decimals first, so the float32 values and their
    printed forms agree and a validator finds "min" and "max" equal to the data."""
    lo, hi = positions.min(0), positions.max(0)
    for value in (*lo, *hi):
        assert np.float32(float("%.6f" % value)) == value, value
    return lo.tolist(), hi.tolist()


def _snap(values):
    return np.round(values, 4).astype(np.float32)


def galaxy(n=1_000_000):
    """Points of a four-armed spiral galaxy; RGBA colours from hot core to blue arms."""
    rng = np.random.default_rng(1)
    arm = rng.integers(0, 4, n)
    radius = rng.exponential(12.0, n).clip(0.3, 60)
    angle = arm * (np.pi / 2) + np.log(radius) * 2.2 + rng.normal(0, 0.22, n)
    height = rng.normal(0, 0.6 + 2.5 * np.exp(-radius / 4), n)
    jitter = rng.normal(0, 1, (n, 2)) * (0.5 + radius * 0.04)[:, None]
    positions = _snap(np.stack([radius * np.cos(angle) + jitter[:, 0], height, radius * np.sin(angle) + jitter[:, 1]], 1))
    warmth = np.exp(-radius / 8)[:, None]
    core, arms = np.array([1.0, 0.85, 0.55]), np.array([0.35, 0.55, 1.0])
    rgb = warmth * core + (1 - warmth) * arms
    rgb *= rng.uniform(0.6, 1.0, (n, 1))
    colors = np.concatenate([rgb, np.ones((n, 1))], 1).astype(np.float32)
    return positions, colors


def nanoparticle(target_atoms=1_000_000, lattice=4.08):
    """A spherical face-centred cubic particle of a core-shell alloy with dopants, an
    oxide skin and a capped pole, one octant cut away to show the inside: type ids
    1, 3, 4, 6 and 9 (ids of 7 and above share one colour)."""
    rng = np.random.default_rng(2)
    cells = int(np.ceil((target_atoms * 8 / 7 * 3 / (16 * np.pi)) ** (1 / 3))) + 1
    axis = np.arange(-cells, cells, dtype=np.float32)
    grid = np.stack(np.meshgrid(axis, axis, axis, indexing="ij"), -1).reshape(-1, 3)
    basis = np.array([[0, 0, 0], [0.5, 0.5, 0], [0.5, 0, 0.5], [0, 0.5, 0.5]], np.float32)
    sites = (grid[:, None, :] + basis[None, :, :]).reshape(-1, 3)
    distance = np.linalg.norm(sites, axis=1)
    inside = ~((sites[:, 0] > 0) & (sites[:, 1] > 0) & (sites[:, 2] > 0))  # the cut-away octant
    sites, distance = sites[inside], distance[inside]
    radius = np.sort(distance)[target_atoms - 1]
    sites, distance = sites[distance <= radius], distance[distance <= radius]
    types = np.full(len(sites), 4, np.uint16)  # core: yellow
    types[distance > radius * 0.72] = 6  # shell: cyan
    types[distance > radius - 1.2] = 1  # oxide skin: red
    types[(distance <= radius * 0.72) & (rng.random(len(sites)) < 0.04)] = 3  # dopants in the core: blue
    types[(sites[:, 0] > radius * 0.6) & (distance > radius - 1.2)] = 9  # a capped pole: light grey
    positions = _snap(sites * lattice)
    return positions, types


def terrain(size=512, extent=200.0):
    """A heightfield of summed waves and noise, with unit normals, RGBA colours by
    height (water, grass, rock, snow) and two triangles per grid square."""
    rng = np.random.default_rng(3)
    u = np.linspace(-1, 1, size)
    x, z = np.meshgrid(u, u, indexing="xy")
    height = np.zeros_like(x)
    for octave in range(5):  # waves in random directions, finer and weaker each octave
        for _ in range(3):
            angle, phase = rng.uniform(0, 2 * np.pi, 2)
            frequency = 2.0 * 2**octave * rng.uniform(0.8, 1.25)
            height += 0.5**octave * np.sin(frequency * (x * np.cos(angle) + z * np.sin(angle)) + phase)
    height = (height - height.min()) / np.ptp(height)
    height = height**1.8 * 45
    positions = _snap(np.stack([x * extent / 2, height, z * extent / 2], -1).reshape(-1, 3))
    grid = positions.reshape(size, size, 3).astype(np.float64)
    dx = np.gradient(grid[..., 1], axis=1) / np.gradient(grid[..., 0], axis=1)
    dz = np.gradient(grid[..., 1], axis=0) / np.gradient(grid[..., 2], axis=0)
    normals = np.stack([-dx, np.ones_like(dx), -dz], -1).reshape(-1, 3)
    normals = (normals / np.linalg.norm(normals, axis=1, keepdims=True)).astype(np.float32)
    h = positions[:, 1] / 45
    stops = np.array([0.0, 0.08, 0.12, 0.45, 0.7, 1.0])
    palette = np.array([[0.05, 0.2, 0.6], [0.1, 0.45, 0.8], [0.2, 0.55, 0.15], [0.35, 0.6, 0.2],
                        [0.45, 0.38, 0.3], [0.95, 0.95, 0.97]])
    rgb = np.stack([np.interp(h, stops, palette[:, c]) for c in range(3)], 1)
    colors = np.concatenate([rgb, np.ones((len(h), 1))], 1).astype(np.float32)
    r, c = np.meshgrid(np.arange(size - 1), np.arange(size - 1), indexing="ij")
    a = (r * size + c).ravel()
    indices = np.stack([a, a + size, a + 1, a + 1, a + size, a + size + 1], 1).astype(np.uint32).ravel()
    return positions, normals, indices, colors


def base_pair():
    """Adenine and thymine paired as in DNA (Watson-Crick), 30 atoms of C, H, N and
    O, from the S22 collection that ASE ships."""
    from ase.collections import s22

    return s22["Adenine-thymine_Watson-Crick_complex"]


def uracil_pair(vacuum=2.5):
    """Two uracil molecules paired by hydrogen bonds, 24 atoms of C, H, N and O from
    the S22 collection that ASE ships, centred in a box with vacuum around them."""
    from ase.collections import s22

    atoms = s22["Uracil_dimer_h-bonded"].copy()
    atoms.center(vacuum=vacuum)
    return atoms


def electron_density(atoms, spacing=0.12):
    """A stand-in for the electron density on a grid over the (orthorhombic) cell:
    a normalised Gaussian of the atom's electrons on each atom, as wide as its
    covalent radius. Returns the grid and the step along each axis."""
    from ase.data import covalent_radii

    cell = np.diag(np.asarray(atoms.cell))
    shape = np.ceil(cell / spacing).astype(int) + 1
    axes = [np.linspace(0, length, count) for length, count in zip(cell, shape)]
    density = np.zeros(shape)
    for position, number in zip(atoms.positions, atoms.numbers):
        sigma = covalent_radii[number]
        # A Gaussian is a product along the axes: three small arrays, one outer product.
        x, y, z = (np.exp(-((axis - p) ** 2) / (2 * sigma**2)) for axis, p in zip(axes, position))
        density += number / ((2 * np.pi) ** 1.5 * sigma**3) * x[:, None, None] * y[None, :, None] * z[None, None, :]
    return density, cell / (shape - 1)


def density_isosurface(atoms, level=0.1):
    """The surface where the density of electron_density equals level (electrons
    per cubic ångström), by scikit-image's marching cubes: (vertices, faces)."""
    from skimage.measure import marching_cubes

    density, steps = electron_density(atoms)
    vertices, faces, _, _ = marching_cubes(density, level, spacing=tuple(steps))
    return vertices, faces


def cell_edges(atoms):
    """The 8 corners of the atoms' cell and its 12 edges as corner index pairs."""
    fractions = np.array([[i, j, k] for i in (0, 1) for j in (0, 1) for k in (0, 1)], np.float64)
    corners = fractions @ np.asarray(atoms.cell)
    edges = np.array([[a, b] for a in range(8) for b in range(a + 1, 8) if bin(a ^ b).count("1") == 1])
    return corners, edges


# The planet's texture: its colours, by height (ocean deep and shallow, lowland, highland) and ice.
PLANET_COLORS = np.array([[18, 52, 140], [38, 104, 190], [52, 140, 62], [190, 150, 90], [240, 244, 250]], np.uint8)


def planet_texture(width=1024, height=512):
    """An equirectangular image of a made-up planet (rows from north to south): a
    height field of waves in random directions on the sphere, coloured as ocean,
    lowland or highland, with ice towards the poles."""
    rng = np.random.default_rng(5)
    longitude = (np.arange(width) + 0.5) / width * 2 * np.pi
    latitude = np.pi / 2 - (np.arange(height) + 0.5) / height * np.pi
    lon, lat = np.meshgrid(longitude, latitude)
    direction = np.stack([np.cos(lat) * np.cos(lon), np.cos(lat) * np.sin(lon), np.sin(lat)], -1)
    field = np.zeros(lon.shape)
    for octave in range(6):
        for _ in range(4):
            axis = rng.normal(size=3)
            axis /= np.linalg.norm(axis)
            field += 0.55**octave * np.sin(2.5 * 2**octave * (direction @ axis) + rng.uniform(0, 2 * np.pi))
    rank = np.argsort(np.argsort(field.ravel())).reshape(field.shape) / field.size  # the height's quantile
    kind = np.select([rank < 0.45, rank < 0.6, rank < 0.85], [0, 1, 2], 3)
    kind[np.abs(lat) > np.radians(72) - 0.08 * field] = 4
    return PLANET_COLORS[kind]


def uv_sphere(radius=1.0, rows=96, columns=192):
    """A sphere by latitude and longitude with texture coordinates (glTF's: v down
    from the image's top, the north pole): the seam's vertices twice, u = 0 and
    u = 1, and each pole once per column. (positions, faces, uv)"""
    v = np.linspace(0, 1, rows + 1)
    u = np.linspace(0, 1, columns + 1)
    uu, vv = np.meshgrid(u, v)
    uu[0], uu[-1] = uu[0] + 0.5 / columns, uu[-1] + 0.5 / columns  # the poles' copies at their triangle's middle
    theta, phi = vv * np.pi, uu * 2 * np.pi
    positions = radius * np.stack([np.sin(theta) * np.cos(phi), np.cos(theta), -np.sin(theta) * np.sin(phi)], -1)
    index = np.arange((rows + 1) * (columns + 1)).reshape(rows + 1, columns + 1)
    a, b, c, d = index[:-1, :-1], index[:-1, 1:], index[1:, :-1], index[1:, 1:]
    quads = np.stack([np.stack([a, c, b], -1), np.stack([b, c, d], -1)], 2)  # (rows, columns, 2, 3)
    north, south = np.stack([a[0], c[0], d[0]], -1), np.stack([a[-1], c[-1], b[-1]], -1)  # one triangle a pole copy
    faces = np.concatenate([north, quads[1:-1].reshape(-1, 3), south])
    return positions.reshape(-1, 3), faces, np.stack([uu, vv], -1).reshape(-1, 2)


def alloy_particle(length=8):
    """An octahedral Cu particle (ASE's cluster builder) with a quarter of its atoms
    turned to Au, and some to Pt and Ni, at random: (ase.Atoms)."""
    from ase.cluster import Octahedron

    particle = Octahedron("Cu", length)
    rng = np.random.default_rng(8)
    symbols = rng.choice(["Cu", "Au", "Pt", "Ni"], len(particle), p=[0.5, 0.25, 0.15, 0.1])
    particle.set_chemical_symbols(symbols.tolist())
    return particle


def salt_crystal(repeat=3):
    """Rock salt (NaCl, a = 5.64 Å) as ASE builds it, in a cubic cell repeated
    repeat times along each axis, periodic."""
    from ase.build import bulk

    return bulk("NaCl", "rocksalt", a=5.64, cubic=True).repeat(repeat)


def hot_cluster(frames=40, steps_per_frame=5):
    """Frames of a 55-atom copper icosahedron shaking at 1200 K: molecular dynamics
    with ASE's EMT potential (velocity Verlet, 2 fs steps); a list of ase.Atoms."""
    from ase import units
    from ase.calculators.emt import EMT
    from ase.cluster import Icosahedron
    from ase.md.verlet import VelocityVerlet

    atoms = Icosahedron("Cu", 3)
    atoms.calc = EMT()
    # Momenta of a Maxwell-Boltzmann distribution at 1200 K, the centre of mass at rest.
    masses = atoms.get_masses()[:, None]
    momenta = np.random.default_rng(9).normal(size=(len(atoms), 3)) * np.sqrt(masses * units.kB * 1200)
    atoms.set_momenta(momenta - masses * momenta.sum(0) / masses.sum())
    dynamics = VelocityVerlet(atoms, 2 * units.fs)
    result = []
    for _ in range(frames):
        result.append(atoms.copy())
        dynamics.run(steps_per_frame)
    return result


def survey(n=3_000_000, extent=200.0):
    """A lidar-like survey of made-up hills: n points scattered over the ground (z
    up, metres), coloured by height from water blue through grass and rock to snow
    (uint8 RGB, linear as glTF's vertex colours are)."""
    rng = np.random.default_rng(3)
    x, y = rng.uniform(-extent / 2, extent / 2, (2, n))
    z = (9 * np.sin(x / 23) * np.cos(y / 17) + 5 * np.sin((x + 2 * y) / 11) + 2 * np.cos(x / 5 - y / 7)
         + rng.normal(0, 0.08, n))
    height = (z - z.min()) / np.ptp(z)
    stops = np.array([[0.16, 0.34, 0.55], [0.2, 0.55, 0.25], [0.55, 0.5, 0.3], [0.95, 0.95, 0.97]])
    srgb = np.stack([np.interp(height, np.linspace(0, 1, len(stops)), stops[:, c]) for c in range(3)], 1)
    linear = np.where(srgb <= 0.04045, srgb / 12.92, ((srgb + 0.055) / 1.055) ** 2.4)  # glTF's colours are linear
    return np.stack([x, y, z], 1), np.rint(linear * 255).astype(np.uint8)
