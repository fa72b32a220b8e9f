#include "atoms/morton_order.h"

#include <cstring>
#if defined(_MSC_VER)
#include <intrin.h>
#endif

#include "inputs/arrays.h"
#include "parallel/parallel.h"

namespace glb {

const uint32_t kAtomPalette[kPaletteRows][3] = {
    {0x3F000000, 0x3F000000, 0x3F000000},  // 0: grey
    {0x3F800000, 0x3E88B439, 0x3E88B439},  // 1: red
    {0x3E88B439, 0x3F800000, 0x3E88B439},  // 2: green
    {0x3E88B439, 0x3E88B439, 0x3F800000},  // 3: blue
    {0x3F800000, 0x3F800000, 0x3E88B439},  // 4: yellow
    {0x3F800000, 0x3E88B439, 0x3F800000},  // 5: magenta
    {0x3E88B439, 0x3F800000, 0x3F800000},  // 6: cyan
    {0x3F19999A, 0x3F19999A, 0x3F19999A},  // 7 and above: light grey
};

namespace {

constexpr float kCellScale = 1023.0f;  // 1024 cells; only the box maximum reaches cell 1023
constexpr unsigned kKeyBits = 30;      // three 10-bit cell numbers
constexpr unsigned kDigitBits = 10;    // the sort's passes: one cell number's bits each
constexpr float kMinExtent = 1e-10f;   // flat, inverted or NaN extents

// Moves bit k of a 10-bit value to bit 3k.
constexpr uint32_t spread_bits(uint32_t v) {
    v = (v | v << 16) & 0x030000FF;
    v = (v | v << 8) & 0x0300F00F;
    v = (v | v << 4) & 0x030C30C3;
    v = (v | v << 2) & 0x09249249;
    return v;
}

// spread_bits of every cell number, computed at compile time: three loads per key
// instead of 36 shifts and masks.
struct SpreadTable {
    uint32_t of[1024];
    constexpr SpreadTable() : of{} {
        for (uint32_t cell = 0; cell < 1024; ++cell) of[cell] = spread_bits(cell);
    }
};
constexpr SpreadTable kSpread{};

// Cell 0 .. 1023 of one coordinate, in 32-bit float arithmetic in a fixed order so
// that every platform and thread count agrees. NaN and everything below the box
// land in cell 0, everything at or above its maximum in cell 1023.
uint32_t cell_of(float coordinate, float minimum, float scale) {
    const float f = ((coordinate - minimum) * scale) * kCellScale;
    if (!(f > 0.0f)) return 0;
    if (f >= 1023.0f) return 1023;
    return uint32_t(f);  // truncation toward zero
}

struct KeyJob {
    const float* positions;
    AtomRows rows;
    MortonBox box;
    uint64_t* entries;
    DigitCounts* first_digit;  // of the keys, per range, for the sort's first pass
};

void compute_morton_keys(const KeyJob& job, uint32_t range, size_t begin, size_t end) {
    uint32_t* counts = job.first_digit->row(range);
    for (size_t i = begin; i < end; ++i) {
        const float* p = job.positions + 3 * i;
        const uint32_t qx = cell_of(p[0], job.box.minimum[0], job.box.scale[0]);
        const uint32_t qy = cell_of(p[1], job.box.minimum[1], job.box.scale[1]);
        const uint32_t qz = cell_of(p[2], job.box.minimum[2], job.box.scale[2]);
        const uint32_t key = kSpread.of[qx] | kSpread.of[qy] << 1 | kSpread.of[qz] << 2;
        uint32_t row;
        if (job.rows.types != nullptr) {
            const uint16_t type = job.rows.types[i];
            row = type < 7 ? type : 7;
        } else {
            row = job.rows.rows != nullptr ? job.rows.rows[i] : 0;
        }
        job.entries[i] = uint64_t(key) << 32 | row << kRowShift | uint32_t(i);
        ++counts[key & ((1u << kDigitBits) - 1)];
    }
}

// Sorted order reads the input all over the place: fetch a few dozen atoms ahead.
constexpr size_t kGatherPrefetchDistance = 64;

inline void prefetch(const void* address) {
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(address);
#elif defined(_MSC_VER) && (defined(_M_X64) || defined(_M_IX86))
    _mm_prefetch(static_cast<const char*>(address), _MM_HINT_T0);
#else
    (void)address;
#endif
}

}  // namespace

MortonBox morton_box(const Bounds3& box) {
    MortonBox result{};
    for (int axis = 0; axis < 3; ++axis) {
        // Beyond the float range the extent becomes infinite and the scale 0.
        float extent = to_float32(box.max[axis] - box.min[axis]);
        if (!(extent > kMinExtent)) extent = kMinExtent;
        result.minimum[axis] = to_float32(box.min[axis]);
        result.scale[axis] = 1.0f / extent;
    }
    return result;
}

const uint64_t* sort_along_morton_curve(uint64_t* entries, uint64_t* scratch, const float* positions,
                                        size_t atom_count, AtomRows rows, const MortonBox& box, uint32_t thread_count) {
    DigitCounts first_digit(thread_count, kDigitBits);
    const KeyJob job{positions, rows, box, entries, &first_digit};
    parallel_ranges(atom_count, thread_count,
                    [&job](uint32_t range, size_t begin, size_t end) { compute_morton_keys(job, range, begin, end); });
    return radix_sort_entries(entries, scratch, atom_count, thread_count, first_digit, kKeyBits);
}

void gather_positions(uint8_t* out, const uint64_t* entries, size_t count, const float* positions,
                      uint32_t thread_count) {
    parallel_ranges(count, thread_count, [&](uint32_t, size_t begin, size_t end) {
        for (size_t i = begin; i < end; ++i) {
            if (i + kGatherPrefetchDistance < end)
                prefetch(positions + 3 * atom_of_entry(entries[i + kGatherPrefetchDistance]));
            std::memcpy(out + 12 * i, positions + 3 * atom_of_entry(entries[i]), 3 * sizeof(float));
        }
    });
}

}  // namespace glb
