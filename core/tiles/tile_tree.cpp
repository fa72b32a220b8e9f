#include <algorithm>
#include <cmath>
#include <iterator>
#include <map>
#include <vector>

#include "memory/large_memory.h"
#include "parallel/parallel.h"
#include "tiles/tiles.h"

namespace glb::tiles {

namespace {

constexpr unsigned kRadixBits = 30;  // the sort's radix passes cover the codes' top 30 bits

// Bits 0, 3, 6, ... of a 21-bit cell number spread to every third bit.
uint64_t spread_bits(uint64_t v) {
    v &= 0x1FFFFF;
    v = (v | v << 32) & 0x1F00000000FFFFull;
    v = (v | v << 16) & 0x1F0000FF0000FFull;
    v = (v | v << 8) & 0x100F00F00F00F00Full;
    v = (v | v << 4) & 0x10C30C30C30C30C3ull;
    v = (v | v << 2) & 0x1249249249249249ull;
    return v;
}

// Cell 0 .. 2^21 - 1 of one coordinate, in double arithmetic in a fixed order.
uint64_t cell_of(double coordinate, double minimum, double cells_per_unit) {
    const double f = (coordinate - minimum) * cells_per_unit;
    constexpr double kLast = double((uint64_t(1) << kCodeDepth) - 1);
    if (!(f > 0.0)) return 0;
    if (f >= kLast) return uint64_t(kLast);
    return uint64_t(f);
}

// Sample points (first of each cell) and the rest of a run of sorted positions.
void split_sample(const uint64_t* codes, const uint32_t* run, size_t length, unsigned cell_shift,
                  std::vector<uint32_t>& sample, std::vector<uint32_t>& rest) {
    uint64_t previous = 0;
    for (size_t i = 0; i < length; ++i) {
        const uint64_t cell = codes[run[i]] >> cell_shift;
        if (i == 0 || cell != previous) {
            sample.push_back(run[i]);
        } else {
            rest.push_back(run[i]);
        }
        previous = cell;
    }
}

// The pieces that partitions handed up, by tile: their sample points and how many points the partitions held.
struct HandedTile {
    uint64_t local_count = 0;
    std::vector<uint32_t> points;  // sorted positions
};

}  // namespace

size_t scalar_size(ScalarType type) {
    switch (type) {
        case ScalarType::int8:
        case ScalarType::uint8: return 1;
        case ScalarType::int16:
        case ScalarType::uint16: return 2;
        case ScalarType::int32:
        case ScalarType::uint32:
        case ScalarType::float32: return 4;
        case ScalarType::int64:
        case ScalarType::uint64:
        case ScalarType::float64: return 8;
    }
    return 8;
}

TileLayout tile_layout(const double minimum[3], const double maximum[3], uint64_t points_per_tile, bool meshopt) {
    TileLayout layout;
    double side = 0;
    for (int axis = 0; axis < 3; ++axis) {
        layout.center[axis] = minimum[axis] + (maximum[axis] - minimum[axis]) / 2;
        side = std::max(side, maximum[axis] - minimum[axis]);
    }
    layout.half_side = side > 0 ? side / 2 : 0.5;
    unsigned depth = 0;
    while (depth < kCodeDepth && (uint64_t(1) << (3 * (depth + 1))) <= points_per_tile) ++depth;
    layout.sample_depth = depth;
    layout.subtree_levels = std::min(depth, kMaxSubtreeLevels);
    layout.points_per_tile = points_per_tile;
    layout.meshopt = meshopt;
    for (int axis = 0; axis < 3; ++axis) layout.root_transform[12 + axis] = layout.center[axis];
    return layout;
}

void tile_codes(uint64_t* codes, const double* positions, size_t count, const TileLayout& layout) {
    const double cells_per_unit = double(uint64_t(1) << kCodeDepth) / (2 * layout.half_side);
    double minimum[3];
    for (int axis = 0; axis < 3; ++axis) minimum[axis] = layout.center[axis] - layout.half_side;
    for (size_t i = 0; i < count; ++i) {
        const double* p = positions + 3 * i;
        codes[i] = spread_bits(cell_of(p[0], minimum[0], cells_per_unit)) |
                   spread_bits(cell_of(p[1], minimum[1], cells_per_unit)) << 1 |
                   spread_bits(cell_of(p[2], minimum[2], cells_per_unit)) << 2;
    }
}

void sort_points(uint32_t* order, uint64_t* sorted_codes, const uint64_t* codes, const uint64_t* ids, size_t count,
                 uint32_t thread_count) {
    if (count == 0) return;
    constexpr unsigned kDropped = 3 * kCodeDepth - kRadixBits;
    ScratchArray<uint64_t> entries = allocate_scratch<uint64_t>(count);
    ScratchArray<uint64_t> scratch = allocate_scratch<uint64_t>(count);
    DigitCounts first_digit(thread_count, 10);
    uint64_t* packed = entries.get();
    parallel_ranges(count, thread_count, [&](uint32_t range, size_t begin, size_t end) {
        uint32_t* counts = first_digit.row(range);
        for (size_t i = begin; i < end; ++i) {
            const uint64_t top = codes[i] >> kDropped;
            packed[i] = top << 32 | uint32_t(i);
            ++counts[top & 1023];
        }
    });
    const uint64_t* sorted = radix_sort_entries(packed, scratch.get(), count, thread_count, first_digit, kRadixBits);
    // Within a run of equal top bits: by the whole code, then by id (the radix sort kept row order).
    parallel_ranges(count, thread_count, [&](uint32_t, size_t begin, size_t end) {
        for (size_t i = begin; i < end; ++i) {
            order[i] = uint32_t(sorted[i]);
            sorted_codes[i] = codes[order[i]];
        }
    });
    const auto before = [&](uint32_t a, uint32_t b) {
        if (codes[a] != codes[b]) return codes[a] < codes[b];
        return ids != nullptr ? ids[a] < ids[b] : a < b;
    };
    parallel_ranges(count, thread_count, [&](uint32_t, size_t begin, size_t end) {
        // Runs that start in this range; a run begun in an earlier range is that range's.
        size_t i = begin;
        while (i > 0 && i < end && (sorted[i] >> 32) == (sorted[i - 1] >> 32)) ++i;
        while (i < end) {
            size_t j = i + 1;
            while (j < count && (sorted[j] >> 32) == (sorted[i] >> 32)) ++j;
            if (j - i > 1) {
                std::sort(order + i, order + j, before);
                for (size_t k = i; k < j; ++k) sorted_codes[k] = codes[order[k]];
            }
            i = j;
        }
    });
}

TilePlan plan_tiles(const uint64_t* codes, size_t count, const TileLayout& layout, uint64_t slot_begin,
                    uint64_t slot_end, const PooledPieces* pooled) {
    const unsigned slot_level = layout.subtree_levels;
    const uint64_t budget = layout.points_per_tile;
    TilePlan plan;
    std::vector<uint32_t> remaining, next, sample, merged;
    std::map<TileKey, HandedTile> handed;
    // Deferred points join at their piece's level: the levels above were
    // sampled by their partition, whose samples came up as pieces of their own.
    std::vector<std::vector<uint32_t>> joining(kCodeDepth + 1);
    remaining.reserve(count);
    for (size_t p = 0; p < count; ++p) {
        if (pooled == nullptr) {
            remaining.push_back(uint32_t(p));
            continue;
        }
        const Piece& piece = pooled->pieces[pooled->piece_of[p]];
        if (piece.sample) {
            handed[piece.key].points.push_back(uint32_t(p));
        } else {
            joining[piece.key.level].push_back(uint32_t(p));
        }
    }
    if (pooled != nullptr)
        for (const Piece& piece : pooled->pieces)
            if (piece.sample) handed[piece.key].local_count += piece.local_count;

    auto handed_at = handed.begin();
    size_t joining_after = 0;
    for (uint32_t level = 0; level <= kCodeDepth; ++level)
        if (!joining[level].empty()) joining_after = level + 1;
    for (uint32_t level = 0; level <= kCodeDepth; ++level) {
        if (!joining[level].empty()) {
            merged.clear();
            std::merge(remaining.begin(), remaining.end(), joining[level].begin(), joining[level].end(),
                       std::back_inserter(merged));
            remaining.swap(merged);
        }
        if (remaining.empty() && handed_at == handed.end() && level >= joining_after) break;
        const unsigned shift = 3 * (kCodeDepth - level);
        const unsigned cell_shift = 3 * (kCodeDepth - std::min(level + layout.sample_depth, kCodeDepth));
        next.clear();
        size_t i = 0;
        while (true) {
            const bool has_run = i < remaining.size();
            const bool has_handed = handed_at != handed.end() && handed_at->first.level == level;
            if (!has_run && !has_handed) break;
            const uint64_t run_index = has_run ? codes[remaining[i]] >> shift : UINT64_MAX;
            const uint64_t index = has_handed ? std::min(run_index, handed_at->first.index) : run_index;
            size_t j = i;
            while (j < remaining.size() && codes[remaining[j]] >> shift == index) ++j;
            HandedTile* from_partitions = nullptr;
            if (has_handed && handed_at->first.index == index) from_partitions = &(handed_at++)->second;
            const uint32_t* run = remaining.data() + i;
            const size_t length = j - i;
            i = j;

            const TileKey key{level, index};
            const bool contained = level >= slot_level ||
                                   ((index << (3 * (slot_level - level))) >= slot_begin &&
                                    ((index + 1) << (3 * (slot_level - level))) <= slot_end);
            if (!contained) {
                Piece piece;
                piece.key = key;
                piece.local_count = length;
                piece.begin = plan.piece_points.size();
                if (length <= budget) {
                    plan.piece_points.insert(plan.piece_points.end(), run, run + length);
                } else {
                    piece.sample = true;
                    split_sample(codes, run, length, cell_shift, plan.piece_points, next);
                }
                piece.end = plan.piece_points.size();
                plan.pieces.push_back(piece);
                continue;
            }
            PlannedTile tile;
            tile.key = key;
            tile.begin = plan.members.size();
            if (from_partitions == nullptr && (length <= budget || level == kCodeDepth)) {
                plan.members.insert(plan.members.end(), run, run + length);
            } else {
                sample.clear();
                split_sample(codes, run, length, cell_shift, sample, next);
                if (from_partitions != nullptr) {
                    const size_t middle = plan.members.size();
                    plan.members.insert(plan.members.end(), sample.begin(), sample.end());
                    plan.members.insert(plan.members.end(), from_partitions->points.begin(),
                                        from_partitions->points.end());
                    std::inplace_merge(plan.members.begin() + ptrdiff_t(middle),
                                       plan.members.begin() + ptrdiff_t(middle + sample.size()), plan.members.end());
                } else {
                    plan.members.insert(plan.members.end(), sample.begin(), sample.end());
                }
            }
            tile.end = plan.members.size();
            if (tile.end > tile.begin) {
                plan.tiles.push_back(tile);
                plan.deepest_level = std::max(plan.deepest_level, level);
            }
        }
        remaining.swap(next);
    }
    return plan;
}

}  // namespace glb::tiles
