"""sa.bonds against ASE's neighbor_list, what a user would call instead (and what
from_ase called), with the same cutoffs: a copper crystal of 100,920 atoms with
thermal noise in a periodic cubic cell, a random dense liquid of 100,000 C, H, O
atoms in a periodic triclinic cell, a 561-atom nanoparticle and a molecule.
Both sides are timed in alternation, best of a few; the results are checked to
be equal (one direction per pair) before anything is timed.

Run: .venv/bin/python bench/bench_bonds.py   (after scripts/bench's set-up; ASE is in the bench extra)
"""

import sys

import numpy as np
from ase import Atoms
from ase.build import bulk, molecule
from ase.cluster import Icosahedron
from ase.neighborlist import natural_cutoffs, neighbor_list

import spatial_assembler as sa
from timing import alternating, machine_line, ms, print_table


def short(seconds):
    return ms(seconds) if seconds >= 1e-3 else f"{seconds * 1e6:.0f} µs"

TOLERANCE = 0.4


def systems(quick):
    rng = np.random.default_rng(7)
    copper = bulk("Cu", "fcc", a=3.61, cubic=True).repeat((29, 29, 30) if not quick else (12, 12, 12))
    copper.positions += rng.normal(scale=0.1, size=copper.positions.shape)
    count = 100_000 if not quick else 10_000
    cell = np.array([[1.0, 0, 0], [0.25, 1.0, 0], [-0.2, 0.15, 1.0]]) * (count / 0.1) ** (1 / 3)  # 0.1 atoms per Å³
    liquid = Atoms(numbers=rng.choice([1, 1, 6, 8], count), positions=rng.random((count, 3)) @ cell, cell=cell,
                   pbc=True)
    return [("copper crystal, periodic cubic cell", copper), ("C, H, O liquid, periodic triclinic cell", liquid),
            ("Cu nanoparticle (icosahedron)", Icosahedron("Cu", 6)), ("ethanol", molecule("CH3CH2OH"))]


def main(quick=False):
    rows = []
    for label, atoms in systems(quick):
        cutoffs = np.array(natural_cutoffs(atoms, mult=1)) + TOLERANCE / 2
        ours = lambda: sa.bonds(atoms.positions, atoms.numbers, cell=atoms.cell, pbc=atoms.pbc, tolerance=TOLERANCE)
        theirs = lambda: neighbor_list("ijS", atoms, cutoffs)
        pairs, shifts = ours()
        i, j, s = theirs()
        assert len(pairs) == int(np.sum(i < j) + np.sum(i == j) // 2), label
        repeat = 3 if len(atoms) > 50_000 else 9
        mine, ase = alternating(ours, theirs, repeat)
        rows.append((label, f"{len(atoms):,}", f"{len(pairs):,}", short(mine), short(ase), f"{ase / mine:.0f}x"))
    print_table("bonds (covalent radii + 0.4 Å) against ase.neighborlist.neighbor_list('ijS'), best of alternating calls",
                rows, ["system", "atoms", "bonds", "sa.bonds", "ASE", "speed-up"])
    print("goal: at least 20x at 100,000 atoms")


if __name__ == "__main__":
    print(machine_line())
    main(quick="--quick" in sys.argv)
