#include <cstring>
#include <stdexcept>
#include <utility>
#if defined(_MSC_VER)
#include <intrin.h>
#endif

#include "builder_support.h"
#include "glb_assembler.h"
#include "parallel.h"

#ifdef GLB_ATOM_PHASE_LOG  // bench/atom_phases.cpp builds the core with this to show where the time goes
#include <chrono>
#include <cstdio>
#define LOG_PHASE(name) log_phase(name)
static void log_phase(const char* name) {
    static auto last = std::chrono::steady_clock::now();
    const auto now = std::chrono::steady_clock::now();
    std::fprintf(stderr, "%s %.2f\n", name, std::chrono::duration<double, std::milli>(now - last).count());
    last = now;
}
#else
#define LOG_PHASE(name) ((void)0)
#endif

namespace glb {

namespace {

constexpr char kAtomTemplate[] =
    "{\"asset\":{\"version\":\"2.0\",\"generator\":\"Tarn Native\"},\"scene\":0,\"scenes\":[{\"nodes\":[0]}],"
    "\"nodes\":[{\"mesh\":0,\"name\":\"Atoms\"}],\"meshes\":[{\"primitives\":[{\"attributes\":{\"POSITION\":0,"
    "\"COLOR_0\":1},\"mode\":0}],\"name\":\"AtomCloud\"}],\"accessors\":[{\"bufferView\":0,\"componentType\":5126,"
    "\"count\":%zu,\"type\":\"VEC3\",\"min\":[%.6f,%.6f,%.6f],\"max\":[%.6f,%.6f,%.6f]},{\"bufferView\":1,"
    "\"componentType\":5126,\"count\":%zu,\"type\":\"VEC3\"}],\"bufferViews\":[{\"buffer\":0,\"byteOffset\":0,"
    "\"byteLength\":%zu,\"target\":34962},{\"buffer\":0,\"byteOffset\":%zu,\"byteLength\":%zu,\"target\":34962}],"
    "\"buffers\":[{\"byteLength\":%zu}]}";

// RGB per type id as 32-bit float bit patterns (0.5, 1.0, 0.267, 0.6); ids of 7
// and above share the last row.
constexpr uint32_t kAtomPalette[8][3] = {
    {0x3F000000, 0x3F000000, 0x3F000000},  // 0: grey
    {0x3F800000, 0x3E88B439, 0x3E88B439},  // 1: red
    {0x3E88B439, 0x3F800000, 0x3E88B439},  // 2: green
    {0x3E88B439, 0x3E88B439, 0x3F800000},  // 3: blue
    {0x3F800000, 0x3F800000, 0x3E88B439},  // 4: yellow
    {0x3F800000, 0x3E88B439, 0x3F800000},  // 5: magenta
    {0x3E88B439, 0x3F800000, 0x3F800000},  // 6: cyan
    {0x3F19999A, 0x3F19999A, 0x3F19999A},  // 7 and above: light grey
};

constexpr float kCellScale = 1023.0f;   // 1024 cells; only the box maximum reaches cell 1023
constexpr float kMinExtent = 1e-10f;    // flat, inverted or NaN extents

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

// An atom travels through the sort as one 64-bit entry: its Morton key in the
// high half (the sort key), and in the low half its palette row (bits 28 to 30)
// above its index (bits 0 to 27). A GLB below 4 GiB holds fewer than 2^28 atoms.
constexpr unsigned kRowShift = 28;
constexpr uint32_t kIndexMask = (uint32_t(1) << kRowShift) - 1;

struct AtomJob {
    const float* positions;
    const uint16_t* types;
    float minimum[3];
    float scale[3];
    uint64_t* entries;
    DigitCounts* first_digit;   // of the keys, per range, for the sort's first pass
    uint8_t* sorted_positions;  // both in the finished GLB's BIN chunk, written with memcpy
    uint8_t* colors;
};

void compute_morton_keys(const AtomJob& job, uint32_t range, size_t begin, size_t end) {
    uint32_t* counts = job.first_digit->row(range);
    for (size_t i = begin; i < end; ++i) {
        const float* p = job.positions + 3 * i;
        const uint32_t qx = cell_of(p[0], job.minimum[0], job.scale[0]);
        const uint32_t qy = cell_of(p[1], job.minimum[1], job.scale[1]);
        const uint32_t qz = cell_of(p[2], job.minimum[2], job.scale[2]);
        const uint32_t key = kSpread.of[qx] | kSpread.of[qy] << 1 | kSpread.of[qz] << 2;
        const uint16_t type = job.types[i];
        const uint32_t row = type < 7 ? type : 7;
        job.entries[i] = uint64_t(key) << 32 | row << kRowShift | uint32_t(i);
        ++counts[key & 0xFF];
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

// Positions first (random reads, prefetched), then colours from the rows that the
// entries carry (sequential): no type id is read in sorted order.
void gather_sorted_atoms(const AtomJob& job, size_t begin, size_t end) {
    const uint64_t* entries = job.entries;
    for (size_t i = begin; i < end; ++i) {
        if (i + kGatherPrefetchDistance < end)
            prefetch(job.positions + 3 * size_t(uint32_t(entries[i + kGatherPrefetchDistance]) & kIndexMask));
        const size_t atom = uint32_t(entries[i]) & kIndexMask;
        std::memcpy(job.sorted_positions + 12 * i, job.positions + 3 * atom, 3 * sizeof(float));
    }
    for (size_t i = begin; i < end; ++i) {
        const uint32_t row = uint32_t(entries[i]) >> kRowShift;
        std::memcpy(job.colors + 12 * i, kAtomPalette[row], 3 * sizeof(float));
    }
}

}  // namespace

GlbBytes build_atom_glb(const float* positions, size_t atom_count, const uint16_t* types, const Bounds3& bounds) {
    GlbBytesOutput output;
    build_atom_glb(output, positions, atom_count, types, bounds);
    return std::move(output.bytes);
}

void check_atom_inputs(size_t atom_count, const Bounds3& bounds) {
    require_finite(bounds.min, 3, "vmin");
    require_finite(bounds.max, 3, "vmax");
    const uint64_t array_bytes = saturated_byte_length(atom_count, 3 * sizeof(float));
    check_payload_size({array_bytes, array_bytes});
}

void build_atom_glb(GlbOutput& output, const float* positions, size_t atom_count, const uint16_t* types,
                    const Bounds3& bounds) {
    build_atom_glb_on_threads(output, positions, atom_count, types, bounds, atom_thread_count(atom_count));
}

void build_atom_glb_on_threads(GlbOutput& output, const float* positions, size_t atom_count,
                               const uint16_t* types, const Bounds3& bounds, uint32_t thread_count) {
    if (atom_count == 0) return write_glb(output, "{}", 2, nullptr, 0);  // the documented empty file
    check_atom_inputs(atom_count, bounds);
    if (thread_count == 0) throw std::invalid_argument("build_atom_glb needs at least one thread");

    // Sizes and document first: an oversized call is refused before any scratch is taken.
    const size_t array_bytes = atom_count * 3 * sizeof(float);  // checked above
    const size_t payload_bytes = 2 * array_bytes;
    static_assert(kMaxGlbSize / 24 < (uint64_t(1) << kRowShift), "atom indices must fit below the palette row");
    const JsonDocument<2048> json(
        kAtomTemplate,
        {atom_count, TemplateValue::bound(bounds.min[0]), TemplateValue::bound(bounds.min[1]),
         TemplateValue::bound(bounds.min[2]), TemplateValue::bound(bounds.max[0]), TemplateValue::bound(bounds.max[1]),
         TemplateValue::bound(bounds.max[2]), atom_count, array_bytes, array_bytes, array_bytes, payload_bytes});
    glb_size(json.size(), payload_bytes);

    LOG_PHASE("start");
    // The file is reserved before any large work, as GlbOutput promises: a binding
    // may learn the size from this call alone. The gather writes the sorted
    // positions and their colours straight into its BIN chunk (4-byte aligned).
    uint8_t* payload = start_glb(output, json.data(), json.size(), payload_bytes);
    LOG_PHASE("reserve");
    ScratchArray<uint64_t> entries = allocate_scratch<uint64_t>(atom_count);
    ScratchArray<uint64_t> scratch = allocate_scratch<uint64_t>(atom_count);
    DigitCounts first_digit(thread_count);

    AtomJob job{positions, types, {}, {}, entries.get(), &first_digit, payload, payload + array_bytes};
    for (int axis = 0; axis < 3; ++axis) {
        // Beyond the float range the extent becomes infinite and the scale 0.
        float extent = to_float32(bounds.max[axis] - bounds.min[axis]);
        if (!(extent > kMinExtent)) extent = kMinExtent;
        job.minimum[axis] = to_float32(bounds.min[axis]);
        job.scale[axis] = 1.0f / extent;
    }

    parallel_ranges(atom_count, thread_count,
                    [&job](uint32_t range, size_t begin, size_t end) { compute_morton_keys(job, range, begin, end); });
    LOG_PHASE("keys");
    radix_sort_entries(entries.get(), scratch.get(), atom_count, thread_count, first_digit);
    LOG_PHASE("sort");
    parallel_ranges(atom_count, thread_count,
                    [&job](uint32_t, size_t begin, size_t end) { gather_sorted_atoms(job, begin, end); });
    LOG_PHASE("gather");
}

}  // namespace glb
