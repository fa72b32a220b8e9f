// Bonds as chemists draw them: two atoms are bonded when they lie closer than
// the sum of their covalent radii (covalent_radius of elements.h) plus a
// tolerance, also across the faces of a periodic cell. The result is ASE's
// neighbor_list('ijS', atoms, cutoffs) with cutoffs of each atom's covalent
// radius plus half the tolerance, with one direction kept per pair.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "inputs/arrays.h"

namespace glb {

// The lattice that positions repeat over: three lattice vectors, one per row
// (cell[3 * k + axis]), and which of them repeat.
struct PeriodicCell {
    double cell[9] = {};
    bool periodic[3] = {false, false, false};
};

// Bond k joins atom pairs[2k] to the image of atom pairs[2k + 1] at
// positions[j] + S . cell, S = (shifts[3k], shifts[3k + 1], shifts[3k + 2])
// (S is 0 along an axis that does not repeat). pairs[2k] <= pairs[2k + 1]; an
// atom bonded to an image of its own (a cell smaller than its bonds) has
// S lexicographically positive, its first non-zero component above 0, and
// the bond to the image at -S is the same bond. Sorted by the first atom,
// then the second, then S.
struct BondList {
    std::vector<uint32_t> pairs;
    std::vector<int32_t> shifts;
    size_t count() const { return pairs.size() / 2; }
};

// The bonds among the atoms at positions (rows of x, y, z; float or integer
// elements) of the given atomic numbers (0 to 118, integers of any type): the
// pairs closer than covalent_radius(Zi) + covalent_radius(Zj) + tolerance
// (ångström), the distance taken to the nearest image and every other image
// within reach along the periodic axes of cell (null: none repeats).
// Refuses with InputError, before any search: positions that are no whole
// rows or not finite; atomic numbers of another count or outside 0..118; a
// cell that is not finite, or singular while an axis repeats (a lattice vector
// of a non-periodic axis may be 0); a tolerance that is negative or not finite;
// a position more than 2^30 cells away along a periodic axis. And, when the
// atoms are so dense (positions in another unit than ångström, say) that they
// would have more than 64 bonds per atom on average (at least 2^20 in all),
// InputError (bonds, too_large) rather than exhausting memory. Searches a grid
// of cells at least one cutoff wide, on thread_count threads (0: one per
// hardware thread from 100,000 atoms on); the result never depends on it.
BondList find_bonds(const ArrayView& positions, const ArrayView& atomic_numbers, const PeriodicCell* cell,
                    double tolerance, uint32_t thread_count = 0);

// The 8 corners of the parallelepiped spanned by the rows of cell from origin
// (corner c = origin + (c & 1) a + (c >> 1 & 1) b + (c >> 2 & 1) c) and its
// 12 edges as corner pairs, for drawing the cell as lines. InputError (cell or
// origin, not_finite) for numbers that are not finite, (cell, singular) for a
// cell of volume 0.
void unit_cell_edges(float out_positions[8][3], uint32_t out_segments[12][2], const double cell[9],
                     const double origin[3]);

}  // namespace glb
