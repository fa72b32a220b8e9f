#include "atoms/morton_order.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>
#if defined(_MSC_VER)
#include <intrin.h>
#endif

#include "inputs/arrays.h"
#include "inputs/simd.h"
#include "parallel/parallel.h"

#ifdef GLB_ATOM_PHASE_LOG  // bench/atom_phases.cpp builds the core with this to show where the time goes
#include <chrono>
#include <cstdio>
#define LOG_ORDER_PHASE(name) log_order_phase(name)
static void log_order_phase(const char* name) {
    static auto last = std::chrono::steady_clock::now();
    const auto now = std::chrono::steady_clock::now();
    std::fprintf(stderr, "%s %.2f\n", name, std::chrono::duration<double, std::milli>(now - last).count());
    last = now;
}
#else
#define LOG_ORDER_PHASE(name) ((void)0)
#endif

namespace glb {

constexpr uint32_t kAtomPalette[kPaletteRows][3] = {
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

// The 30-bit Morton key of one atom's cell.
inline uint32_t morton_key(const float* p, const MortonBox& box) {
    const uint32_t qx = cell_of(p[0], box.minimum[0], box.scale[0]);
    const uint32_t qy = cell_of(p[1], box.minimum[1], box.scale[1]);
    const uint32_t qz = cell_of(p[2], box.minimum[2], box.scale[2]);
    return kSpread.of[qx] | kSpread.of[qy] << 1 | kSpread.of[qz] << 2;
}

inline uint32_t row_of_atom(const AtomRows& rows, size_t i) {
    if (rows.types != nullptr) return rows.types[i] < 7 ? rows.types[i] : 7;
    return rows.rows != nullptr ? rows.rows[i] : 0;
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
        const uint32_t key = morton_key(job.positions + 3 * i, job.box);
        job.entries[i] = uint64_t(key) << 32 | row_of_atom(job.rows, i) << kRowShift | uint32_t(i);
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

// --- Points written in Morton order through buckets ---------------------------
//
// The entry sort moves 8-byte entries through three passes over all of memory
// and then gathers the positions at random. Points need no more than each
// atom's position and row, so they go another way: the atoms are counted by
// the key's top bits (their bucket), scattered once into their buckets as
// 16-byte records that carry the position, and each bucket, a few thousand
// atoms, is sorted by the key's remaining bits in cache, its last pass writing
// the file. Buckets keep input order and the in-bucket passes are stable: the
// order is the entry sort's.

// The palette rows padded to 16 bytes, for whole-vector copies.
struct Palette16 {
    std::vector<std::array<uint32_t, 4>> rows;
    Palette16(const uint32_t* palette, uint32_t row_count) : rows(row_count) {
        for (unsigned row = 0; row < row_count; ++row)
            for (unsigned channel = 0; channel < 3; ++channel) rows[row][channel] = palette[3 * row + channel];
    }
};

struct PlacedAtom {
    float position[3];
    uint32_t rest;  // the key's bits below the bucket's, and above them the palette row
};
static_assert(sizeof(PlacedAtom) == 16, "records of 16 bytes");

constexpr size_t kBucketTarget = 4096;             // atoms per bucket on average: 64 KiB of records
constexpr unsigned kMaxBucketBits = 13;
constexpr size_t kLargestBucket = size_t(1) << 17;  // beyond, a bucket leaves the cache: the entry sort instead
constexpr size_t kInsertionBucket = 32;            // buckets this small are sorted by insertion
constexpr uint32_t kRangesPerThread = 4;
constexpr unsigned kMaxRestDigitBits = 11;
constexpr unsigned kMinRestDigitBits = 6;
constexpr size_t kMaxRestCounters = 3 << kMaxRestDigitBits;  // digits of 11 bits need 3 passes at most

// Records carry the row above the key's 30 - bits bits: rows of row_bits need bits >= row_bits - 2.
unsigned bucket_bits_for(size_t count, unsigned row_bits) {
    unsigned bits = row_bits > 3 ? row_bits - 2 : 1;  // at least one: a row of 3 bits fits beside 29 key bits
    while (bits < kMaxBucketBits && (count >> bits) > kBucketTarget) ++bits;
    return bits;
}

struct PointJob {
    const float* positions;
    AtomRows rows;
    MortonBox box;
    unsigned rest_bits;   // 30 - the bucket's bits
    DigitCounts* counts;  // per range: atoms per bucket, then the next free record of each bucket
    PlacedAtom* records;
};

#ifdef GLB_AVX2_PATHS
// spread_bits of the cells of eight coordinates on one axis, each cell as cell_of
// computes it: the same float operations in the same order, lane by lane.
GLB_AVX2 inline __m256i avx2_spread_cells(__m256 coordinate, float minimum, float scale) {
    const __m256 top = _mm256_set1_ps(kCellScale);
    const __m256 f = _mm256_mul_ps(_mm256_mul_ps(_mm256_sub_ps(coordinate, _mm256_set1_ps(minimum)), _mm256_set1_ps(scale)), top);
    __m256i v = _mm256_and_si256(_mm256_cvttps_epi32(f), _mm256_castps_si256(_mm256_cmp_ps(f, _mm256_setzero_ps(), _CMP_GT_OQ)));
    v = _mm256_blendv_epi8(v, _mm256_set1_epi32(1023), _mm256_castps_si256(_mm256_cmp_ps(f, top, _CMP_GE_OQ)));
    v = _mm256_and_si256(_mm256_or_si256(v, _mm256_slli_epi32(v, 16)), _mm256_set1_epi32(0x030000FF));
    v = _mm256_and_si256(_mm256_or_si256(v, _mm256_slli_epi32(v, 8)), _mm256_set1_epi32(0x0300F00F));
    v = _mm256_and_si256(_mm256_or_si256(v, _mm256_slli_epi32(v, 4)), _mm256_set1_epi32(0x030C30C3));
    return _mm256_and_si256(_mm256_or_si256(v, _mm256_slli_epi32(v, 2)), _mm256_set1_epi32(0x09249249));
}

// The eight atoms at p (24 floats) as vectors of x, y and z: x of atom k is
// element 3k, in lanes 0, 3, 6 of the first load, 1, 4, 7 of the second and 2, 5
// of the third, and so on. Moves only: every bit of a float is kept.
GLB_AVX2 inline void avx2_load_atoms(const float* p, __m256& x, __m256& y, __m256& z) {
    const __m256 a = _mm256_loadu_ps(p), b = _mm256_loadu_ps(p + 8), c = _mm256_loadu_ps(p + 16);
    x = _mm256_permutevar8x32_ps(_mm256_blend_ps(_mm256_blend_ps(a, b, 0x92), c, 0x24), _mm256_setr_epi32(0, 3, 6, 1, 4, 7, 2, 5));
    y = _mm256_permutevar8x32_ps(_mm256_blend_ps(_mm256_blend_ps(a, b, 0x24), c, 0x49), _mm256_setr_epi32(1, 4, 7, 2, 5, 0, 3, 6));
    z = _mm256_permutevar8x32_ps(_mm256_blend_ps(_mm256_blend_ps(a, b, 0x49), c, 0x92), _mm256_setr_epi32(2, 5, 0, 3, 6, 1, 4, 7));
}

// The keys of eight atoms, as morton_key computes them.
GLB_AVX2 inline __m256i avx2_morton_keys(__m256 x, __m256 y, __m256 z, const MortonBox& box) {
    const __m256i kx = avx2_spread_cells(x, box.minimum[0], box.scale[0]);
    const __m256i ky = avx2_spread_cells(y, box.minimum[1], box.scale[1]);
    const __m256i kz = avx2_spread_cells(z, box.minimum[2], box.scale[2]);
    return _mm256_or_si256(_mm256_or_si256(kx, _mm256_slli_epi32(ky, 1)), _mm256_slli_epi32(kz, 2));
}

// Hands visit(i, key) the keys of atoms [begin, end), eight at a time; returns where it stopped.
template <typename Visit>
GLB_AVX2 size_t avx2_visit_keys(const float* positions, const MortonBox& box, size_t begin, size_t end,
                                const Visit& visit) {
    const Visit local = visit;  // its captures in registers: the visits' stores cannot change them
    size_t i = begin;
    alignas(32) uint32_t keys[8];
    for (; i + 8 <= end; i += 8) {
        __m256 x, y, z;
        avx2_load_atoms(positions + 3 * i, x, y, z);
        _mm256_store_si256(reinterpret_cast<__m256i*>(keys), avx2_morton_keys(x, y, z, box));
        for (size_t k = 0; k < 8; ++k) local(i + k, keys[k]);
    }
    return i;
}

// The palette rows of atoms i .. i + 7.
GLB_AVX2 inline __m256i avx2_rows(const AtomRows& rows, size_t i) {
    if (rows.types != nullptr)
        return _mm256_min_epu32(_mm256_cvtepu16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(rows.types + i))),
                                _mm256_set1_epi32(7));
    if (rows.rows != nullptr) return _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(rows.rows + i)));
    return _mm256_setzero_si256();
}

// scatter_to_buckets for atoms [begin, end), eight at a time: the records are
// the atoms' x, y, z and rest lanes transposed. Returns where it stopped.
#endif

// Hands visit(i, key) the Morton key of every atom i in [begin, end), in order.
template <typename Visit>
void visit_keys(const float* positions, const MortonBox& box, size_t begin, size_t end, const Visit& visit) {
#ifdef GLB_AVX2_PATHS
    if (has_avx2()) begin = avx2_visit_keys(positions, box, begin, end, visit);
#endif
    for (size_t i = begin; i < end; ++i) visit(i, morton_key(positions + 3 * i, box));
}

void count_buckets(const PointJob& job, uint32_t range, size_t begin, size_t end) {
    uint32_t* counts = job.counts->row(range);
    const unsigned shift = job.rest_bits;
    visit_keys(job.positions, job.box, begin, end, [=](size_t, uint32_t key) { ++counts[key >> shift]; });
}

#ifdef GLB_AVX2_PATHS
GLB_AVX2 size_t avx2_scatter_to_buckets(const PointJob& job, uint32_t* next, size_t begin, size_t end) {
    const __m256i rest_mask = _mm256_set1_epi32(int((uint32_t(1) << job.rest_bits) - 1));
    const __m128i shift = _mm_cvtsi32_si128(int(job.rest_bits));
    PlacedAtom* records = job.records;
    size_t i = begin;
    alignas(32) uint32_t buckets[8];
    for (; i + 8 <= end; i += 8) {
        __m256 x, y, z;
        avx2_load_atoms(job.positions + 3 * i, x, y, z);
        const __m256i keys = avx2_morton_keys(x, y, z, job.box);
        _mm256_store_si256(reinterpret_cast<__m256i*>(buckets), _mm256_srl_epi32(keys, shift));
        const __m256 rest = _mm256_castsi256_ps(
            _mm256_or_si256(_mm256_and_si256(keys, rest_mask), _mm256_sll_epi32(avx2_rows(job.rows, i), shift)));
        // x, y, z, rest of atoms 0 and 4 in r0, 1 and 5 in r1, and so on.
        const __m256 xy_low = _mm256_unpacklo_ps(x, y), xy_high = _mm256_unpackhi_ps(x, y);
        const __m256 zr_low = _mm256_unpacklo_ps(z, rest), zr_high = _mm256_unpackhi_ps(z, rest);
        const __m256 r[4] = {_mm256_shuffle_ps(xy_low, zr_low, 0x44), _mm256_shuffle_ps(xy_low, zr_low, 0xEE),
                             _mm256_shuffle_ps(xy_high, zr_high, 0x44), _mm256_shuffle_ps(xy_high, zr_high, 0xEE)};
        // In atom order, so that each bucket keeps input order.
        for (int k = 0; k < 4; ++k) _mm_storeu_ps(records[next[buckets[k]]++].position, _mm256_castps256_ps128(r[k]));
        for (int k = 0; k < 4; ++k) _mm_storeu_ps(records[next[buckets[k + 4]]++].position, _mm256_extractf128_ps(r[k], 1));
    }
    return i;
}
#endif

void scatter_to_buckets(const PointJob& job, uint32_t range, size_t begin, size_t end) {
    uint32_t* next = job.counts->row(range);
#ifdef GLB_AVX2_PATHS
    if (has_avx2()) begin = avx2_scatter_to_buckets(job, next, begin, end);
#endif
    const uint32_t rest_mask = (uint32_t(1) << job.rest_bits) - 1;
    for (size_t i = begin; i < end; ++i) {
        const float* p = job.positions + 3 * i;
        const uint32_t key = morton_key(p, job.box);
        PlacedAtom& record = job.records[next[key >> job.rest_bits]++];
        std::memcpy(record.position, p, sizeof record.position);
        record.rest = (key & rest_mask) | row_of_atom(job.rows, i) << job.rest_bits;
    }
}

// One pass of a bucket's sort: records from source to destination by the digit
// of key bits at shift, next holding each digit's next slot.
inline void scatter_bucket(const PlacedAtom* source, PlacedAtom* destination, size_t count, uint32_t key_mask,
                           unsigned shift, uint32_t digit_mask, uint32_t* next) {
    for (size_t i = 0; i < count; ++i) {
        const uint32_t rest = source[i].rest;
        std::memcpy(&destination[next[(rest & key_mask) >> shift & digit_mask]++], &source[i], sizeof(PlacedAtom));
    }
}

// Sorts one bucket's count records stably by their key bits (rest_bits wide),
// between records and temp (count records); returns where they lie sorted.
const PlacedAtom* sort_bucket(PlacedAtom* records, PlacedAtom* temp, size_t count, unsigned rest_bits) {
    const uint32_t key_mask = (uint32_t(1) << rest_bits) - 1;
    if (count <= kInsertionBucket) {
        for (size_t i = 1; i < count; ++i) {
            const PlacedAtom moving = records[i];
            size_t j = i;
            for (; j > 0 && (records[j - 1].rest & key_mask) > (moving.rest & key_mask); --j) records[j] = records[j - 1];
            records[j] = moving;
        }
        return records;
    }
    // Digits about as wide as the bucket is long, so that counting them costs
    // no more than moving the records.
    unsigned bits = kMinRestDigitBits;
    while (bits < kMaxRestDigitBits && (size_t(1) << (bits + 1)) <= count) ++bits;
    const unsigned passes = (rest_bits + bits - 1) / bits;
    bits = (rest_bits + passes - 1) / passes;
    const size_t radix = size_t(1) << bits;
    const uint32_t digit_mask = uint32_t(radix) - 1;
    uint32_t counters[kMaxRestCounters];
    std::memset(counters, 0, passes * radix * sizeof(uint32_t));
    if (passes == 2) {
        uint32_t* low = counters;
        uint32_t* high = counters + radix;
        for (size_t i = 0; i < count; ++i) {
            const uint32_t key = records[i].rest & key_mask;
            ++low[key & digit_mask];
            ++high[key >> bits];
        }
    } else {
        for (size_t i = 0; i < count; ++i) {
            const uint32_t key = records[i].rest & key_mask;
            for (unsigned pass = 0; pass < passes; ++pass) ++counters[pass * radix + (key >> (pass * bits) & digit_mask)];
        }
    }
    for (unsigned pass = 0; pass < passes; ++pass) {
        uint32_t running = 0;
        for (size_t digit = 0; digit < radix; ++digit) {
            const uint32_t here = counters[pass * radix + digit];
            counters[pass * radix + digit] = running;
            running += here;
        }
    }
    PlacedAtom* source = records;
    PlacedAtom* destination = temp;
    for (unsigned pass = 0; pass < passes; ++pass) {
        scatter_bucket(source, destination, count, key_mask, pass * bits, digit_mask, counters + pass * radix);
        std::swap(source, destination);
    }
    return source;
}

// The bucket way: hands each bucket to emit(sorted, first, count, row_shift),
// its count records in Morton order, for slots first .. first + count - 1 (a
// record's row: its rest >> row_shift). Buckets come in any order, on several
// threads. Returns false, having emitted nothing, when a bucket would hold
// more than kLargestBucket atoms (atoms crowded into few cells).
template <typename Emit>
bool emit_in_morton_order(const float* positions, size_t count, AtomRows rows, unsigned row_bits, const MortonBox& box,
                          uint32_t thread_count, const Emit& emit) {
    LOG_ORDER_PHASE("begin");
    const unsigned bucket_bits = bucket_bits_for(count, row_bits);
    const size_t buckets = size_t(1) << bucket_bits;
    // Several ranges a thread, which the pool hands out one at a time: a thread
    // that the system holds back (another program on its processor) leaves its
    // share to the others instead of keeping the call waiting.
    const uint32_t range_count = thread_count == 1 ? 1 : kRangesPerThread * thread_count;
    DigitCounts counts(range_count, bucket_bits);
    PointJob job{positions, rows, box, kKeyBits - bucket_bits, &counts, nullptr};
    parallel_ranges(count, range_count, [&job](uint32_t range, size_t begin, size_t end) { count_buckets(job, range, begin, end); });

    // Each bucket's start, and each range's first record in each bucket: range t's
    // atoms of a bucket follow range t - 1's, so that buckets keep input order.
    const uint32_t ranges = counts.ranges();
    std::vector<size_t> starts(buckets + 1);
    size_t running = 0, largest = 0;
    for (size_t bucket = 0; bucket < buckets; ++bucket) {
        starts[bucket] = running;
        for (uint32_t t = 0; t < ranges; ++t) {
            const uint32_t here = counts.row(t)[bucket];
            counts.row(t)[bucket] = uint32_t(running);
            running += here;
        }
        largest = std::max(largest, running - starts[bucket]);
    }
    starts[buckets] = running;
    LOG_ORDER_PHASE("count");
    if (largest > kLargestBucket) return false;

    ScratchArray<PlacedAtom> records = allocate_scratch<PlacedAtom>(count);
    ScratchArray<PlacedAtom> temps = allocate_scratch<PlacedAtom>(size_t(ranges) * largest);
    job.records = records.get();
    LOG_ORDER_PHASE("allocate");
    parallel_ranges(count, range_count, [&job](uint32_t range, size_t begin, size_t end) { scatter_to_buckets(job, range, begin, end); });
    LOG_ORDER_PHASE("scatter");

    // A range sorts the buckets that start among its atoms, and writes them.
    const unsigned rest_bits = job.rest_bits;
    parallel_ranges(count, range_count, [&](uint32_t range, size_t begin, size_t end) {
        PlacedAtom* temp = temps.get() + size_t(range) * largest;
        const Emit write = emit;
        for (size_t bucket = size_t(std::lower_bound(starts.begin(), starts.begin() + buckets, begin) - starts.begin());
             bucket < buckets && starts[bucket] < end; ++bucket) {
            const size_t first = starts[bucket], last = starts[bucket + 1];
            if (first == last) continue;  // an empty bucket writes nothing (it starts where the next one does)
            write(sort_bucket(records.get() + first, temp, last - first, rest_bits), first, last - first, rest_bits);
        }
    });
    LOG_ORDER_PHASE("buckets");
    return true;
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

namespace glb {

void write_points_in_morton_order(uint8_t* positions_out, uint8_t* colors_out, const float* positions, size_t count,
                                  AtomRows rows, const uint32_t* palette, uint32_t palette_rows,
                                  const MortonBox& box, uint32_t thread_count) {
    if (count == 0) return;
    const ProcessScratchSession kept;  // the native module's scratch, kept between its calls
    const Palette16 palette16(palette, palette_rows);
    unsigned row_bits = 3;
    while ((uint32_t(1) << row_bits) < palette_rows) ++row_bits;
    const auto write = [=, &palette16](const PlacedAtom* sorted, size_t first, size_t bucket_count, unsigned row_shift) {
        uint8_t* position = positions_out + 12 * first;
        uint8_t* color = colors_out + 12 * first;
        // 16 bytes an atom, of which the next atom's overwrites the last four; the last atom 12.
        for (size_t i = 0; i + 1 < bucket_count; ++i, position += 12, color += 12) {
            std::memcpy(position, &sorted[i], 16);
            std::memcpy(color, palette16.rows[sorted[i].rest >> row_shift].data(), 16);
        }
        std::memcpy(position, &sorted[bucket_count - 1], 12);
        std::memcpy(color, palette + 3 * (sorted[bucket_count - 1].rest >> row_shift), 12);
    };
    const bool placed = emit_in_morton_order(positions, count, rows, row_bits, box, thread_count, write);
    if (placed) return;
    // The entries hold 3 bits of row: more rows are read by atom index.
    const bool rows_in_entries = palette_rows <= kPaletteRows;
    ScratchArray<uint64_t> entries = allocate_scratch<uint64_t>(count);
    ScratchArray<uint64_t> scratch = allocate_scratch<uint64_t>(count);
    const uint64_t* sorted = sort_along_morton_curve(entries.get(), scratch.get(), positions, count,
                                                     rows_in_entries ? rows : AtomRows{}, box, thread_count);
    gather_positions(positions_out, sorted, count, positions, thread_count);
    parallel_ranges(count, thread_count, [&](uint32_t, size_t begin, size_t end) {
        for (size_t i = begin; i < end; ++i) {
            const uint32_t row = rows_in_entries ? row_of_entry(sorted[i]) : row_of_atom(rows, atom_of_entry(sorted[i]));
            std::memcpy(colors_out + 12 * i, palette + 3 * row, 12);
        }
    });
}

}  // namespace glb
