// Atoms in Morton order: the keys, the sort and the gather that every atom
// builder shares. An atom travels through the sort as one 64-bit entry: its
// Morton key in the high half (the sort key), and in the low half its palette
// row (bits 28 to 30) above its index (bits 0 to 27).
#pragma once

#include <cstddef>
#include <cstdint>

#include "glb_assembler.h"
#include "memory/large_memory.h"

namespace glb {

constexpr unsigned kRowShift = 28;
constexpr uint32_t kIndexMask = (uint32_t(1) << kRowShift) - 1;
constexpr size_t kMaxOrderedAtoms = kIndexMask;  // atom indices must fit below the palette row

constexpr unsigned kPaletteRows = 8;

// RGB per palette row as 32-bit float bit patterns (0.5, 1.0, 0.267, 0.6); ids
// of 7 and above share the last row.
extern const uint32_t kAtomPalette[kPaletteRows][3];

inline uint32_t row_of_entry(uint64_t entry) { return uint32_t(entry) >> kRowShift; }
inline size_t atom_of_entry(uint64_t entry) { return uint32_t(entry) & kIndexMask; }

// The box over which cells are counted, as 32-bit floats: each axis's minimum
// and 1 / extent (an extent that is not above 1e-10 counts as 1e-10; one
// beyond the float range gives the scale 0).
struct MortonBox {
    float minimum[3];
    float scale[3];
};
MortonBox morton_box(const Bounds3& box);

// Where each atom's palette row comes from: raw 16-bit type ids (7 and above
// share row 7), or rows already worked out (0 .. 7), one byte per atom.
struct AtomRows {
    const uint16_t* types = nullptr;
    const uint8_t* rows = nullptr;
};

// Sorts the atoms by Morton key (stable: atoms of one cell keep their input
// order), on thread_count threads, with entries and scratch of atom_count
// entries each: three passes of 10-bit digits over the 30-bit keys. Returns
// where the sorted entries lie (one of the two). positions: 3 float32 per atom.
const uint64_t* sort_along_morton_curve(uint64_t* entries, uint64_t* scratch, const float* positions,
                                        size_t atom_count, AtomRows rows, const MortonBox& box, uint32_t thread_count);

// Copies each entry's three position floats, in entry order, to out + 12 i
// (random reads, prefetched), on thread_count threads.
void gather_positions(uint8_t* out, const uint64_t* entries, size_t count, const float* positions,
                      uint32_t thread_count);

// Writes the atoms in the order of sort_along_morton_curve straight into a
// file's arrays: atom i's three position floats to positions_out + 12 i, the
// RGB floats of its row in palette (palette_rows rows of three float bit patterns,
// kAtomPalette or a part's own colours; rows.rows may then hold rows up to
// 255, and 16-bit types are rows of kAtomPalette) to colors_out + 12 i; with thread_count threads (four
// ranges each, so that a thread held back leaves its share to the others), and
// 16 bytes of scratch an atom (16 more where the atoms crowd into few cells).
void write_points_in_morton_order(uint8_t* positions_out, uint8_t* colors_out, const float* positions, size_t count,
                                  AtomRows rows, const uint32_t* palette, uint32_t palette_rows,
                                  const MortonBox& box, uint32_t thread_count);

}  // namespace glb
