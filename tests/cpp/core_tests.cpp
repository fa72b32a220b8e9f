// Tests of the GLB core that Python cannot reach: the container writer on its own,
// the parallel phases and the radix sort at chosen thread counts, and the atom
// builder's independence of the thread count. Run plain, under ASan/UBSan and
// under ThreadSanitizer by the test command.
#include <algorithm>
#include <atomic>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <future>
#include <mutex>
#include <numeric>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "inputs/arrays.h"
#include "document/builder_support.h"
#include "chemistry/elements.h"
#include "glb_assembler.h"
#include "document/gltf_document.h"
#include "document/json_text.h"
#include "memory/large_memory.h"
#include "parallel/parallel.h"
#include "encodings/quantization.h"
#include "atoms/morton_order.h"
#include "meshes/vertex_normals.h"
#include "atoms/sphere_geometry.h"
#include "template_reference.h"

void test_chemistry(int& checks, int& failures);  // chemistry_tests.cpp
#if defined(__linux__)
#include <sys/syscall.h>
#include <unistd.h>
#endif

static int failures = 0;
static int checks = 0;

#define CHECK(condition)                                                               \
    do {                                                                               \
        ++checks;                                                                      \
        if (!(condition)) {                                                            \
            std::fprintf(stderr, "%s:%d: CHECK failed: %s\n", __FILE__, __LINE__, #condition); \
            ++failures;                                                                \
        }                                                                              \
    } while (0)

static uint32_t read_u32(const glb::GlbBytes& bytes, size_t offset) {
    return uint32_t(bytes[offset]) | uint32_t(bytes[offset + 1]) << 8 | uint32_t(bytes[offset + 2]) << 16 |
           uint32_t(bytes[offset + 3]) << 24;
}

static void test_container_writer() {
    const uint8_t empty_document[32] = {0x67, 0x6C, 0x54, 0x46, 0x02, 0x00, 0x00, 0x00, 0x20, 0x00, 0x00,
                                        0x00, 0x04, 0x00, 0x00, 0x00, 0x4A, 0x53, 0x4F, 0x4E, 0x7B, 0x7D,
                                        0x20, 0x20, 0x00, 0x00, 0x00, 0x00, 0x42, 0x49, 0x4E, 0x00};
    const glb::GlbBytes empty = glb::write_glb("{}", 2, nullptr, 0);
    CHECK(empty.size() == 32 && std::memcmp(empty.data(), empty_document, 32) == 0);

    // 7 bytes of JSON, 6 of payload: one space, two zero bytes, 44 in all.
    const uint8_t payload[6] = {1, 2, 3, 4, 5, 6};
    const glb::GlbBytes small = glb::write_glb("{\"a\":1}", 7, payload, 6);
    CHECK(small.size() == 44 && read_u32(small, 8) == 44);
    CHECK(read_u32(small, 12) == 8 && std::memcmp(&small[20], "{\"a\":1} ", 8) == 0);
    CHECK(read_u32(small, 28) == 8 && std::memcmp(&small[32], "BIN\0", 4) == 0);
    CHECK(std::memcmp(&small[36], payload, 6) == 0 && small[42] == 0 && small[43] == 0);

    // Lengths already multiples of 4 get no padding at all.
    const glb::GlbBytes aligned = glb::write_glb("{\"\":}", 4, payload, 4);
    CHECK(aligned.size() == 36 && read_u32(aligned, 12) == 4 && read_u32(aligned, 24) == 4);

    CHECK(glb::glb_size(2, 0) == 32);
    CHECK(glb::glb_size(0, 0xFFFFFFFCull - 28) == 0xFFFFFFFCull);  // the largest possible file
    bool refused = false;
    try {
        glb::glb_size(4, 0xFFFFFFFCull - 28);
    } catch (const glb::InputError& error) {
        refused = error.field == glb::Field::file && error.problem == glb::Problem::too_large;
    }
    CHECK(refused);
}

static std::string bound_text(double value) {
    char text[glb::kMaxNumberText];
    return std::string(text, glb::format_bound(text, value));
}

static size_t json_length_of(const glb::GlbBytes& file) { return read_u32(file, 12); }

static void test_document_numbers() {
    // Six decimals stay wherever they name the same float32; otherwise the float's shortest text.
    CHECK(bound_text(0.5) == "0.500000" && bound_text(-1.5) == "-1.500000" && bound_text(0) == "0.000000");
    CHECK(bound_text(-0.0) == "-0.000000" && bound_text(0.1) == "0.100000");
    CHECK(bound_text(1e-9) == "1e-09" && bound_text(0.1234567) == "0.1234567" && bound_text(-4e-7) == "-4e-07");
    CHECK(bound_text(double(0.1f)) == "0.100000");        // the float nearest 0.1, as a double
    CHECK(bound_text(double(1.0f / 3)) == "0.33333334");  // six decimals would name another float
    CHECK(bound_text(8589934592.5) == "8589934592.500000");  // from 2^33 on, six decimals always read back
    char printed[64];
    std::snprintf(printed, sizeof printed, "%.6f", 1e39);  // this test runs in the C locale
    CHECK(bound_text(1e39) == printed);  // beyond the float range: as given

    // The longest documents stay below kMaxDocumentLength.
    const double huge = 1.7976931348623157e308;
    const glb::Bounds3 extreme{{-huge, -huge, -huge}, {-huge, -huge, -huge}};
    const glb::MeshMaterial material{{-huge, -huge, -huge, -huge}, -huge, -huge, {-huge, -huge, -huge}, false};
    const float colors[4] = {0, 0, 0, 0};
    const size_t mesh = json_length_of(glb::build_mesh_glb(nullptr, 0, nullptr, 0, nullptr, 0, colors, 4, extreme, material));
    const size_t points = json_length_of(glb::build_point_cloud_glb(nullptr, 0, nullptr, 0, extreme));
    CHECK(mesh > 5000 && mesh < glb::kMaxDocumentLength && points < mesh);

    // Payload sums cannot wrap around, and the document's room is counted.
    bool refused = false;
    try {
        glb::check_payload_size({uint64_t(1) << 62, uint64_t(1) << 62, uint64_t(1) << 62, uint64_t(1) << 62});
    } catch (const glb::InputError&) {
        refused = true;
    }
    CHECK(refused);
    refused = false;
    try {
        glb::check_payload_size({glb::kMaxGlbSize - 28 - 600});
    } catch (const glb::InputError&) {
        refused = true;
    }
    CHECK(refused);
    CHECK(glb::check_payload_size({12, 24}) == 36);

    CHECK(glb::to_float32(1e39) == HUGE_VALF && glb::to_float32(-1e39) == -HUGE_VALF);
    CHECK(glb::to_float32(3.4028235e38) == FLT_MAX && glb::to_float32(0x1.ffffffp127) == HUGE_VALF);  // between FLT_MAX and the rounding threshold
    CHECK(glb::to_float32(0.1) == 0.1f);
}

using Range = std::tuple<uint32_t, size_t, size_t>;

static std::vector<Range> ranges_of(size_t n, uint32_t threads) {
    std::vector<Range> seen(threads, Range{UINT32_MAX, 0, 0});
    glb::parallel_ranges(n, threads, [&](uint32_t i, size_t begin, size_t end) { seen[i] = Range{i, begin, end}; });
    seen.erase(std::remove(seen.begin(), seen.end(), Range{UINT32_MAX, 0, 0}), seen.end());
    return seen;
}

static void test_parallel_ranges() {
    CHECK(ranges_of(0, 4).empty());
    CHECK((ranges_of(10, 4) == std::vector<Range>{{0, 0, 3}, {1, 3, 6}, {2, 6, 9}, {3, 9, 10}}));
    CHECK((ranges_of(9, 4) == std::vector<Range>{{0, 0, 3}, {1, 3, 6}, {2, 6, 9}}));
    CHECK((ranges_of(5, 4) == std::vector<Range>{{0, 0, 2}, {1, 2, 4}, {2, 4, 5}}));
    CHECK((ranges_of(3, 8) == std::vector<Range>{{0, 0, 1}, {1, 1, 2}, {2, 2, 3}}));
    CHECK((ranges_of(7, 1) == std::vector<Range>{{0, 0, 7}}));

    // Disjoint writes give the same result for every thread count.
    for (uint32_t threads : {1u, 2u, 3u, 7u, 64u}) {
        std::vector<uint64_t> squares(1001, 0);
        glb::parallel_ranges(squares.size(), threads, [&](uint32_t, size_t begin, size_t end) {
            for (size_t i = begin; i < end; ++i) squares[i] = uint64_t(i) * i;
        });
        bool all = true;
        for (size_t i = 0; i < squares.size(); ++i) all = all && squares[i] == uint64_t(i) * i;
        CHECK(all);
    }
}

// One phase, checked: each range exactly once, with the split of
// ceil(n / threads) items per range and only the non-empty ranges, and every
// item's write visible to the caller when the phase returns.
static bool phase_is_exact(size_t n, uint32_t threads) {
    const size_t chunk = n == 0 ? 0 : (n + threads - 1) / threads;
    std::vector<std::atomic<int>> runs(threads);
    std::vector<Range> seen(threads, Range{UINT32_MAX, 0, 0});
    std::vector<uint32_t> items(n, 0);
    glb::parallel_ranges(n, threads, [&](uint32_t range, size_t begin, size_t end) {
        runs[range].fetch_add(1, std::memory_order_relaxed);
        seen[range] = Range{range, begin, end};
        for (size_t i = begin; i < end; ++i) items[i] = uint32_t(i * 7 + range);
    });
    bool exact = true;
    for (uint32_t range = 0; range < threads; ++range) {
        const size_t begin = size_t(range) * chunk;
        const bool runs_here = begin < n;
        exact = exact && runs[range].load() == (runs_here ? 1 : 0);
        if (runs_here) exact = exact && seen[range] == Range{range, begin, std::min(n, begin + chunk)};
    }
    for (size_t i = 0; i < n; ++i) exact = exact && items[i] == uint32_t(i * 7 + i / chunk);
    return exact;
}

#if defined(__linux__)
static long thread_id() { return long(syscall(SYS_gettid)); }
#endif

// The pool of workers behind parallel_ranges: the same phases below and above
// the size from which workers take part, small phases on the calling thread
// alone, workers kept from call to call, and callers on several threads at
// once (also a range that runs a phase of its own) all finishing.
static void test_parallel_ranges_on_the_pool() {
    for (const size_t n : {size_t(0), size_t(2), size_t(6), size_t(1000), size_t(16383), size_t(16384), size_t(100003)})
        for (const uint32_t threads : {1u, 2u, 3u, 7u}) CHECK(phase_is_exact(n, threads));

    std::set<std::thread::id> small_phase_threads;
    glb::parallel_ranges(1000, 4, [&](uint32_t, size_t, size_t) { small_phase_threads.insert(std::this_thread::get_id()); });
    CHECK(small_phase_threads == std::set<std::thread::id>{std::this_thread::get_id()});

#if defined(__linux__)
    // Fresh threads per phase would show hundreds of thread ids here.
    std::mutex mutex;
    std::set<long> workers;
    std::vector<double> values(200000, 1.0);
    for (int phase = 0; phase < 300; ++phase) {
        glb::parallel_ranges(values.size(), 8, [&](uint32_t, size_t begin, size_t end) {
            for (size_t i = begin; i < end; ++i) values[i] = std::sqrt(values[i] + 1.0);
            const std::lock_guard<std::mutex> lock(mutex);
            workers.insert(thread_id());
        });
    }
    const unsigned hardware = std::thread::hardware_concurrency();
    CHECK(workers.size() <= (hardware == 0 ? 4 : hardware));
#endif

    std::atomic<bool> all_exact{true};
    std::vector<std::thread> callers;
    for (uint32_t caller = 0; caller < 4; ++caller) {
        callers.emplace_back([&all_exact, caller] {
            for (int phase = 0; phase < 25; ++phase) {
                if (!phase_is_exact(40000 + caller, 2 + (caller + phase) % 6)) all_exact = false;
                // A range that runs a phase itself, while the other callers keep the workers busy.
                std::atomic<int> inner_exact{0};
                glb::parallel_ranges(20000, 3, [&](uint32_t range, size_t, size_t) {
                    if (range == 1 && phase_is_exact(30000, 3)) inner_exact = 1;
                });
                if (inner_exact.load() != 1) all_exact = false;
            }
        });
    }
    for (std::thread& caller : callers) caller.join();
    CHECK(all_exact.load());
}

// Points written through buckets against the entry sort and the gather (itself
// checked against std::stable_sort above): the same bytes for spread, crowded
// and clustered atoms, any coordinate (NaN, infinities, outside the box), rows
// from types, from bytes or none, on every thread count.
static void test_points_in_morton_order() {
    std::mt19937 random(2718);
    const auto uniform = [&] { return float(random() >> 8) * 0x1p-24f; };  // [0, 1) in 24-bit steps
    struct Case {
        std::vector<float> positions;
        glb::Bounds3 box;
    };
    std::vector<Case> cases;
    for (const size_t n : {size_t(1), size_t(7), size_t(37), size_t(3000), size_t(100003)}) {
        Case spread{std::vector<float>(3 * n), glb::Bounds3{{0, 0, 0}, {1, 1, 1}}};
        for (float& value : spread.positions) value = uniform();
        cases.push_back(spread);
    }
    {  // every atom in one cell of a large box: too crowded for buckets
        Case crowded{std::vector<float>(3 * 200000), glb::Bounds3{{-1000, -1000, -1000}, {1000, 1000, 1000}}};
        for (float& value : crowded.positions) value = uniform() * 0.01f;
        cases.push_back(crowded);
    }
    {  // half the atoms in one small cluster, duplicates among them
        Case clustered{std::vector<float>(3 * 150001), glb::Bounds3{{-2, -2, -2}, {2, 2, 2}}};
        for (size_t i = 0; i < clustered.positions.size(); ++i)
            clustered.positions[i] = (i / 3) % 2 == 0 ? 4 * uniform() - 2 : float(int(uniform() * 16)) / 65536;
        cases.push_back(clustered);
    }
    {  // values no box holds
        Case odd{std::vector<float>(3 * 20000), glb::Bounds3{{0, 0, 0}, {1, 1, 1}}};
        const float specials[] = {NAN, HUGE_VALF, -HUGE_VALF, -0.0f, 1.0f, 1e30f, -1e-30f, FLT_MAX};
        for (size_t i = 0; i < odd.positions.size(); ++i) odd.positions[i] = i % 5 == 0 ? specials[random() % 8] : 3 * uniform() - 1;
        cases.push_back(odd);
    }
    bool same = true;
    for (const Case& c : cases) {
        const size_t n = c.positions.size() / 3;
        std::vector<uint16_t> types(n);
        std::vector<uint8_t> rows(n);
        for (size_t i = 0; i < n; ++i) types[i] = uint16_t(random() % 3 == 0 ? random() : random() % 9), rows[i] = uint8_t(random() % 8);
        const glb::MortonBox box = glb::morton_box(c.box);
        for (const glb::AtomRows atom_rows : {glb::AtomRows{types.data(), nullptr}, glb::AtomRows{nullptr, rows.data()}, glb::AtomRows{}}) {
            std::vector<uint8_t> expected(24 * n);
            std::vector<uint64_t> entries(n), scratch(n);
            const uint64_t* sorted = glb::sort_along_morton_curve(entries.data(), scratch.data(), c.positions.data(), n,
                                                                  atom_rows, box, 1);
            glb::gather_positions(expected.data(), sorted, n, c.positions.data(), 1);
            for (size_t i = 0; i < n; ++i) std::memcpy(&expected[12 * (n + i)], glb::kAtomPalette[glb::row_of_entry(sorted[i])], 12);
            for (const uint32_t threads : {1u, 2u, 3u, 7u}) {
                std::vector<uint8_t> written(24 * n + 4, 0xA5);  // and nothing past the end
                glb::write_points_in_morton_order(written.data(), written.data() + 12 * n, c.positions.data(), n,
                                                  atom_rows, glb::kAtomPalette[0], glb::kPaletteRows, box, threads);
                same = same && std::memcmp(written.data(), expected.data(), 24 * n) == 0 &&
                       written[24 * n] == 0xA5 && written[24 * n + 3] == 0xA5;
            }
        }
    }
    CHECK(same);
}

static void check_sort(std::vector<uint32_t> keys, uint32_t threads) {
    const size_t n = keys.size();
    std::vector<uint32_t> order(n);
    std::iota(order.begin(), order.end(), 0u);
    std::vector<uint32_t> expected = order;
    std::stable_sort(expected.begin(), expected.end(), [&](uint32_t a, uint32_t b) { return keys[a] < keys[b]; });
    std::vector<uint32_t> sorted_keys = keys;
    glb::radix_sort_pairs(sorted_keys.data(), order.data(), n, threads);
    CHECK(order == expected);
    bool keys_follow = true;
    for (size_t i = 0; i < n; ++i) keys_follow = keys_follow && sorted_keys[i] == keys[expected[i]];
    CHECK(keys_follow);
}

static void test_radix_sort() {
    std::mt19937 random(12345);
    for (uint32_t threads : {1u, 2u, 3u, 7u}) {
        check_sort({}, threads);
        check_sort({42}, threads);
        check_sort(std::vector<uint32_t>(1000, 7), threads);                        // all equal: input order
        check_sort({0xFFFFFFFFu, 0x80000000u, 0x7FFFFFFFu, 0, 0x80000000u, 1}, threads);  // unsigned order
        check_sort({5, 3, 5, 1, 3}, threads);                                       // fewer items than threads at 7
        std::vector<uint32_t> low(5000), wide(100003), morton(20000);
        for (uint32_t& key : low) key = random() % 256;  // only the first pass reorders
        for (uint32_t& key : wide) key = random();
        for (uint32_t& key : morton) key = (random() % 64) << 24 | (random() % 4);  // many duplicates
        check_sort(low, threads);
        check_sort(wide, threads);
        check_sort(morton, threads);
    }
}

static void test_atoms_independent_of_threads() {
    std::mt19937 random(99);  // its output is fixed by the standard, unlike the distributions'
    const size_t n = 50000;
    std::vector<float> positions(3 * n);
    std::vector<uint16_t> types(n);
    for (float& value : positions) value = float(random() >> 8) * 0x1p-22f - 1.0f;  // [-1, 3), 24-bit steps
    for (size_t i = 0; i < n; i += 7) positions[3 * i] = positions[3 * (i + 3) % positions.size()];  // duplicates
    for (uint16_t& type : types) type = uint16_t(random() % 12);
    const glb::Bounds3 bounds{{0, 0, 0}, {2, 2, 2}};
    const glb::RawAtomCloud input{positions.data(), n, types.data(), n, bounds};
    const auto atoms_on = [&](uint32_t threads) {
        const glb::GlbPlan plan = glb::plan_glb(input);
        glb::GlbBytes bytes(size_t(plan.file_size));
        glb::write_glb(bytes.data(), plan, input, threads);
        return bytes;
    };
    const glb::GlbBytes one = atoms_on(1);
    for (uint32_t threads : {2u, 3u, 7u}) CHECK(atoms_on(threads) == one);
    // The same bytes on every platform and compiler (a fused multiply-add in the
    // cell arithmetic, say, would move atoms between cells): FNV-1a of the file.
    uint64_t digest = 0xcbf29ce484222325u;
    for (const uint8_t byte : one) digest = (digest ^ byte) * 0x100000001b3u;
    CHECK(digest == 0x618b866fee7c629du);
    CHECK(glb::build_atom_glb(positions.data(), n, types.data(), bounds) == one);
    const unsigned hardware = std::thread::hardware_concurrency();
    CHECK(glb::atom_thread_count(99999) == 1 && glb::atom_thread_count(100000) == (hardware == 0 ? 4 : hardware));
}

// The entry sort as the atom builders use it: the caller fills the entries and
// counts their first digit per range; the low halves must travel with their keys.
// 8-bit digits over 32-bit keys (four passes, the result in entries) and 10-bit
// digits over 30-bit keys (three, the result in scratch), against std::stable_sort.
static void check_entry_sort(const std::vector<uint32_t>& keys, uint32_t threads, unsigned digit_bits,
                             unsigned key_bits) {
    const size_t n = keys.size();
    std::vector<uint64_t> entries(n), scratch(n);
    glb::DigitCounts first_digit(threads, digit_bits);
    glb::parallel_ranges(n, threads, [&](uint32_t range, size_t begin, size_t end) {
        for (size_t i = begin; i < end; ++i) {
            entries[i] = uint64_t(keys[i]) << 32 | uint32_t(i * 2654435761u);  // a payload unlike the index
            ++first_digit.row(range)[keys[i] & first_digit.digit_mask()];
        }
    });
    const uint64_t* sorted = glb::radix_sort_entries(entries.data(), scratch.data(), n, threads, first_digit, key_bits);
    const unsigned passes = (key_bits + digit_bits - 1) / digit_bits;
    CHECK(n == 0 || sorted == (passes % 2 == 0 ? entries.data() : scratch.data()));
    std::vector<uint32_t> order(n);
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) { return keys[a] < keys[b]; });
    bool same = true;
    for (size_t i = 0; i < n; ++i)
        same = same && sorted[i] == (uint64_t(keys[order[i]]) << 32 | uint32_t(order[i] * 2654435761u));
    CHECK(same);
}

static void test_entry_sort() {
    std::mt19937 random(777);
    for (const auto& [digit_bits, key_bits] : {std::pair<unsigned, unsigned>{8, 32}, {10, 30}}) {
        const uint32_t key_mask = key_bits == 32 ? 0xFFFFFFFFu : (1u << key_bits) - 1;
        for (uint32_t threads : {1u, 2u, 3u, 7u}) {
            check_entry_sort({}, threads, digit_bits, key_bits);
            check_entry_sort({9, 3}, threads, digit_bits, key_bits);  // fewer entries than threads at 3 and 7
            // One digit's entries spanning every range of the split, in every pass.
            std::vector<uint32_t> skewed(30011);
            for (uint32_t& key : skewed) key = (random() % 10 == 0 ? random() : 0x01010101u) & key_mask;
            check_entry_sort(skewed, threads, digit_bits, key_bits);
            std::vector<uint32_t> wide(65536 + 17);
            for (uint32_t& key : wide) key = random() & key_mask;
            check_entry_sort(wide, threads, digit_bits, key_bits);
            // Few distinct keys of many atoms each, as the cells of a dense crystal are.
            std::vector<uint32_t> clustered(100003);
            for (uint32_t& key : clustered) key = ((random() % 37) * 0x0ABCDEFu) & key_mask;
            check_entry_sort(clustered, threads, digit_bits, key_bits);
        }
    }
}

// The reserve of a binding: what a call takes is kept for the next, within the
// bound of the largest recent call; another thread's call meanwhile uses the
// heap; release() frees everything, blocks in use as they come back.
static void test_scratch_reserve() {
    const auto file_of = [](size_t atoms) {
        std::mt19937 random{uint32_t(atoms)};
        std::vector<float> positions(3 * atoms);
        for (float& value : positions) value = float(random() % 1000);
        const glb::RawAtomCloud input{positions.data(), atoms, nullptr, SIZE_MAX, glb::Bounds3{{0, 0, 0}, {999, 999, 999}}};
        std::vector<uint16_t> types(atoms, 3);
        glb::RawAtomCloud typed = input;
        typed.types = types.data();
        const glb::GlbPlan plan = glb::plan_glb(typed);
        glb::GlbBytes bytes(size_t(plan.file_size));
        glb::write_glb(bytes.data(), plan, typed);
        return bytes;
    };
    glb::ScratchReserve reserve;
    const glb::GlbBytes plain = file_of(300000);
    {
        glb::ScratchSession session(&reserve);
        CHECK(file_of(300000) == plain);  // the same bytes from kept memory
    }
    const size_t held = reserve.held_bytes();
    CHECK(held >= 2 * 300000 * sizeof(uint64_t) && held <= 2 * 2 * 300000 * sizeof(uint64_t));
    {
        glb::ScratchSession session(&reserve);
        CHECK(file_of(300000) == plain);
    }
    CHECK(reserve.held_bytes() == held);  // nothing new was needed

    // Smaller calls: after four of them only what they need is kept; scratch below 1 MiB never is.
    for (int call = 0; call < 4; ++call) {
        glb::ScratchSession session(&reserve);
        file_of(140000);
    }
    const size_t small = reserve.held_bytes();
    CHECK(small > 0 && small < held / 2 + held / 8);
    for (int call = 0; call < 4; ++call) {
        glb::ScratchSession session(&reserve);
        file_of(1000);
    }
    CHECK(reserve.held_bytes() == 0);

    // A second thread's call while the reserve is in use takes heap memory.
    {
        glb::ScratchSession session(&reserve);
        glb::ScratchArray<uint64_t> mine = glb::allocate_scratch<uint64_t>(1 << 18);
        const size_t before = reserve.held_bytes();
        std::async(std::launch::async, [&] {
            glb::ScratchSession other(&reserve);
            glb::ScratchArray<uint64_t> theirs = glb::allocate_scratch<uint64_t>(1 << 18);
            theirs[0] = 1;
        }).get();
        CHECK(before == reserve.held_bytes() && before >= (size_t(1) << 21));
        // Released while in use: freed when given back, and the rest at once.
        CHECK(reserve.release() == 0);
        mine.reset();
        CHECK(reserve.held_bytes() == 0);
    }
    {
        glb::ScratchSession session(&reserve);
        file_of(300000);
    }
    CHECK(reserve.held_bytes() == held && reserve.release() == held && reserve.held_bytes() == 0);
}

static bool refuses(const std::function<void()>& call, glb::Field field, glb::Problem problem,
                    size_t component = glb::kNoIndex) {
    try {
        call();
    } catch (const glb::InputError& error) {
        return error.field == field && error.problem == problem && error.component == component;
    }
    return false;
}

static void test_raw_input_checks() {
    const double nan = std::nan("");
    const glb::Bounds3 unit{{0, 0, 0}, {1, 1, 1}};
    const glb::Bounds3 bad_max{{0, 0, 0}, {1, nan, 1}};
    using glb::Field;
    using glb::Problem;
    CHECK(refuses([&] { glb::check_input(glb::RawPointCloud{nullptr, 3, nullptr, 3, bad_max}); }, Field::box_maximum,
                  Problem::not_finite, 1));
    CHECK(refuses([&] { glb::check_input(glb::RawAtomCloud{nullptr, 1, nullptr, 1, bad_max}); }, Field::box_maximum,
                  Problem::not_finite, 1));
    glb::check_input(glb::RawAtomCloud{nullptr, 0, nullptr, 0, bad_max});  // no atoms: the bounds are not looked at
    CHECK(refuses([&] { glb::check_input(glb::RawAtomCloud{nullptr, 5, nullptr, 4, unit}); }, Field::types,
                  Problem::too_few));
    glb::RawMesh mesh{};
    mesh.bounds = unit;
    mesh.material = glb::MeshMaterial{{1, 1, 1, 1}, 0, HUGE_VAL, {0, 0, 0}, false};
    mesh.position_float_count = SIZE_MAX;
    // Non-finite values are named before an oversized call is refused.
    CHECK(refuses([&] { glb::check_input(mesh); }, Field::roughness, Problem::not_finite));
    mesh.material.roughness = 0.5;
    mesh.bounds.max[2] = nan;  // the box's sixth number
    CHECK(refuses([&] { glb::check_input(mesh); }, Field::box, Problem::not_finite, 5));
    mesh.bounds.max[2] = 1;
    mesh.normal_float_count = SIZE_MAX;
    CHECK(refuses([&] { glb::check_input(mesh); }, Field::file, Problem::too_large));
    const size_t most_atoms = (glb::kMaxGlbSize - 28 - glb::kMaxDocumentLength) / 24;
    glb::check_input(glb::RawAtomCloud{nullptr, most_atoms, nullptr, SIZE_MAX, unit});
    CHECK(refuses([&] { glb::check_input(glb::RawAtomCloud{nullptr, most_atoms + 1, nullptr, SIZE_MAX, unit}); },
                  Field::file, Problem::too_large));
}

static std::string document_of(const glb::GlbBytes& file) {
    std::string text(file.begin() + 20, file.begin() + 20 + std::ptrdiff_t(read_u32(file, 12)));
    return text.erase(text.find_last_not_of(' ') + 1);  // the JSON chunk's padding
}

// The raw builders' documents against the templates they have always filled,
// for random counts, bounds and factors.
static void test_raw_documents_match_their_templates() {
    using reference::Value;
    std::mt19937_64 random(2024);
    const auto number = [&](int kind) {
        switch (kind) {
            case 0: return double(int64_t(random() % 2001) - 1000) / 8;                                  // on a grid
            case 1: return std::ldexp(double(random() % 1000000) - 5e5, int(random() % 200) - 100);  // any scale
            default: return double(float(double(random() % 100000) / 7919.0));                         // a float32
        }
    };
    for (int round = 0; round < 200; ++round) {
        const glb::Bounds3 box{{number(round % 3), number((round + 1) % 3), number(round % 3)},
                               {number(2), number(1), number(0)}};
        const size_t points = random() % 5;
        const size_t position_floats = 3 * points + random() % 3;  // trailing floats that make no whole point
        const size_t color_floats = (random() % 2 ? 4 : 3) * points + random() % 2;
        const std::vector<float> floats(position_floats + color_floats + 64, 0.25f);
        const glb::GlbBytes cloud = glb::build_point_cloud_glb(floats.data(), position_floats, floats.data(), color_floats, box);
        std::string expected = reference::format(
            reference::kPointCloud,
            {points, Value::bound(box.min[0]), Value::bound(box.min[1]), Value::bound(box.min[2]), Value::bound(box.max[0]),
             Value::bound(box.max[1]), Value::bound(box.max[2]), points, color_floats == 4 * points ? "VEC4" : "VEC3",
             4 * position_floats, 4 * position_floats, 4 * color_floats, 4 * (position_floats + color_floats)});
        CHECK(document_of(cloud) == expected);

        const size_t atoms = 1 + random() % 4;
        const std::vector<uint16_t> types(atoms, 3);
        const glb::GlbBytes atom_file = glb::build_atom_glb(floats.data(), atoms, types.data(), box);
        expected = reference::format(reference::kAtoms,
                                     {atoms, Value::bound(box.min[0]), Value::bound(box.min[1]), Value::bound(box.min[2]),
                                      Value::bound(box.max[0]), Value::bound(box.max[1]), Value::bound(box.max[2]), atoms,
                                      12 * atoms, 12 * atoms, 12 * atoms, 24 * atoms});
        CHECK(document_of(atom_file) == expected);

        const glb::MeshMaterial material{{number(0), number(1), number(2), 1}, number(1), number(2), {number(0), 0, number(1)},
                                         round % 2 == 0};
        const size_t normal_floats = random() % 7, index_count = random() % 7;
        const std::vector<uint32_t> indices(index_count + 1, 0);
        const bool colored = round % 3 != 0 && color_floats != 0;
        const glb::GlbBytes mesh = glb::build_mesh_glb(floats.data(), position_floats, floats.data(), normal_floats,
                                                       indices.data(), index_count, colored ? floats.data() : nullptr,
                                                       color_floats, box, material);
        const size_t p = 4 * position_floats, nb = 4 * normal_floats, c = colored ? 4 * color_floats : 0,
                     ib = 4 * index_count;
        std::vector<Value> values = {Value::factor(material.base_color[0]), Value::factor(material.base_color[1]),
                                     Value::factor(material.base_color[2]), Value::factor(material.base_color[3]),
                                     Value::factor(material.metallic), Value::factor(material.roughness),
                                     Value::factor(material.emissive[0]), Value::factor(material.emissive[1]),
                                     Value::factor(material.emissive[2]), material.double_sided ? "true" : "false",
                                     points, Value::bound(box.min[0]), Value::bound(box.min[1]), Value::bound(box.min[2]),
                                     Value::bound(box.max[0]), Value::bound(box.max[1]), Value::bound(box.max[2]), points};
        const std::vector<size_t> tail = colored ? std::vector<size_t>{points, index_count, p, p, nb, p + nb, c, p + nb + c,
                                                                       ib, p + nb + c + ib}
                                                 : std::vector<size_t>{index_count, p, p, nb, p + nb, ib, p + nb + ib};
        for (const size_t value : tail) values.emplace_back(value);
        expected = reference::format(colored ? reference::kMeshWithColors : reference::kMeshWithoutColors, values);
        CHECK(document_of(mesh) == expected);
    }
    // The worked examples' sizes.
    const float two[6] = {0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f};
    CHECK(glb::build_point_cloud_glb(two, 6, two, 6, glb::Bounds3{{0, 0, 0}, {1, 1, 1}}).size() == 672);
    CHECK(glb::build_point_cloud_glb(nullptr, 0, nullptr, 0, glb::Bounds3{{0, 0, 0}, {0, 0, 0}}).size() == 620);
}


// The value checks of the checked builders: the first offending row, whichever
// pass (AVX2 or scalar) finds it.
static void test_checks_name_the_first_bad_row() {
    std::mt19937 random(5);
    for (const size_t rows : {1u, 7u, 8u, 9u, 64u, 1001u}) {
        std::vector<float> values(3 * rows);
        for (float& v : values) v = float(int(random() % 2001) - 1000) / 64;
        {
            const glb::Extremes e = glb::row_extremes(glb::ArrayView{values.data(), values.size(), glb::ElementType::float32},
                                                      glb::Field::positions);
            bool exact = true;
            for (size_t axis = 0; axis < 3; ++axis) {
                float low = HUGE_VALF, high = -HUGE_VALF;
                for (size_t r = 0; r < rows; ++r) low = std::min(low, values[3 * r + axis]), high = std::max(high, values[3 * r + axis]);
                exact = exact && e.min[axis] == low && e.max[axis] == high;
            }
            CHECK(exact);
        }
        for (const size_t bad : {size_t(0), rows / 2, rows - 1}) {
            std::vector<float> broken = values;
            broken[3 * bad + 2] = NAN;
            if (bad + 1 < rows) broken[3 * (bad + 1)] = HUGE_VALF;  // a later one is not the first
            size_t row = glb::kNoIndex, component = glb::kNoIndex;
            try {
                glb::row_extremes(glb::ArrayView{broken.data(), broken.size(), glb::ElementType::float32}, glb::Field::positions);
            } catch (const glb::InputError& error) {
                row = error.row, component = error.component;
            }
            CHECK(row == bad && component == 2);
            const std::vector<double> wide_rows(broken.begin(), broken.end());  // the float64 pass finds the same
            row = glb::kNoIndex;
            try {
                glb::row_extremes(glb::ArrayView{wide_rows.data(), wide_rows.size(), glb::ElementType::float64}, glb::Field::positions);
            } catch (const glb::InputError& error) {
                row = error.row;
            }
            CHECK(row == bad);
        }
    }
    const double wide[6] = {0, -0.0, 1, 1e39, 0, 0};
    CHECK(refuses([&] { glb::row_extremes(glb::ArrayView{wide, 6, glb::ElementType::float64}, glb::Field::positions); },
                  glb::Field::positions, glb::Problem::beyond_float32, 0));
    const float zeros[6] = {-0.0f, 0.0f, -0.0f, 0.0f, -0.0f, 0.0f};
    const glb::Extremes signless = glb::row_extremes(glb::ArrayView{zeros, 6, glb::ElementType::float32}, glb::Field::positions);
    CHECK(!std::signbit(signless.min[0]) && !std::signbit(signless.max[2]));  // one spelling of zero in every document

    const int8_t negative[4] = {0, 1, 2, -1};
    const double fraction[3] = {0, 1.5, 2};
    const uint64_t large[3] = {0, 1, 9};
    CHECK(refuses([&] { glb::read_indices(nullptr, glb::ArrayView{negative, 4, glb::ElementType::int8}, 2, 9, glb::Field::bonds); },
                  glb::Field::bonds, glb::Problem::negative, 1));
    CHECK(refuses([&] { glb::read_indices(nullptr, glb::ArrayView{fraction, 3, glb::ElementType::float64}, 3, 9, glb::Field::indices); },
                  glb::Field::indices, glb::Problem::not_integer, 1));
    CHECK(refuses([&] { glb::read_indices(nullptr, glb::ArrayView{large, 3, glb::ElementType::uint64}, 1, 9, glb::Field::types); },
                  glb::Field::types, glb::Problem::not_below_limit));  // rows of one: no column

    std::vector<float> colors(4 * 100, 0.5f), written(4 * 100);
    colors[4 * 61 + 3] = 1.0001f;
    colors[4 * 80] = NAN;
    size_t bad_row = 0;
    try {
        glb::write_colors_float32(written.data(), 100, glb::ColorRows{{colors.data(), colors.size(), glb::ElementType::float32}, 4}, 4,
                                  glb::Field::colors);
    } catch (const glb::InputError& error) {
        bad_row = error.row;
    }
    CHECK(bad_row == 61);
}

static void test_element_symbols() {
    CHECK(glb::atomic_number_of(" fe ", 4) == 26 && glb::atomic_number_of("X", 1) == 0 && glb::atomic_number_of("Og", 2) == 118);
    CHECK(glb::atomic_number_of("Xx", 2) == -1 && glb::atomic_number_of("", 0) == -1 && glb::atomic_number_of("Cuu", 3) == -1);
    const uint32_t records[2][2] = {{'C', 'l'}, {'h', 0}};  // numpy's 'U2': UCS-4, zero-padded
    uint8_t numbers[2];
    glb::atomic_numbers_of_records(numbers, records, 2, 8, glb::SymbolEncoding::ucs4);
    CHECK(numbers[0] == 17 && numbers[1] == 1);
    CHECK(glb::element_palette_row(8) == 1 && std::fabs(glb::covalent_radius(6) - 0.76f) < 1e-6f);
}

// The sphere is closed, of unit radius, and every triangle faces outwards; a
// stick's rotation turns +y onto its direction.
static void test_sphere_and_stick_geometry() {
    const glb::UnitSphere& sphere = glb::unit_sphere();
    bool unit = true, outwards = true;
    for (const auto& p : sphere.positions) unit = unit && std::fabs(std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]) - 1) < 1e-6;
    std::vector<int> edge_uses(glb::kSphereVertices * glb::kSphereVertices, 0);
    for (size_t t = 0; t < glb::kSphereTriangles; ++t) {
        const float* a = sphere.positions[sphere.indices[3 * t]];
        const float* b = sphere.positions[sphere.indices[3 * t + 1]];
        const float* c = sphere.positions[sphere.indices[3 * t + 2]];
        const double u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]}, w[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
        const double n[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2], u[0] * w[1] - u[1] * w[0]};
        outwards = outwards && n[0] * (a[0] + b[0] + c[0]) + n[1] * (a[1] + b[1] + c[1]) + n[2] * (a[2] + b[2] + c[2]) > 0;
        for (int k = 0; k < 3; ++k)
            ++edge_uses[sphere.indices[3 * t + k] * glb::kSphereVertices + sphere.indices[3 * t + (k + 1) % 3]];
    }
    bool closed = true;  // every directed edge once, its reverse once
    for (size_t a = 0; a < glb::kSphereVertices; ++a)
        for (size_t b = 0; b < glb::kSphereVertices; ++b)
            closed = closed && edge_uses[a * glb::kSphereVertices + b] == edge_uses[b * glb::kSphereVertices + a] &&
                     edge_uses[a * glb::kSphereVertices + b] <= 1;
    CHECK(unit && outwards && closed);

    std::mt19937 random(8);
    const float from[3] = {1, 2, 3};
    for (int round = 0; round < 200; ++round) {
        float to[3] = {float(int(random() % 201) - 100) / 10, float(int(random() % 201) - 100) / 10, float(int(random() % 201) - 100) / 10};
        if (round == 0) to[0] = 1, to[1] = -5, to[2] = 3;  // straight down
        if (round == 1) to[0] = 1, to[1] = 9, to[2] = 3;   // straight up
        const glb::StickPlacement placed = glb::place_stick(from, to);
        const float rotation[4] = {float(placed.rotation[0]), float(placed.rotation[1]), float(placed.rotation[2]), float(placed.rotation[3])};
        const float scale[3] = {0.1f, float(placed.half_length), 0.1f};
        // The stick's top ring (y = 1) ends halfway: its centre is the bond's middle.
        double centre[3] = {0, 0, 0};
        for (size_t v = 1; v < glb::kStickVertices; v += 2) {
            float position[3], normal[3];
            glb::placed_stick_vertex(position, normal, from, rotation, scale, v);
            for (int axis = 0; axis < 3; ++axis) centre[axis] += position[axis] / glb::kStickSegments;
        }
        bool halfway = true;
        for (int axis = 0; axis < 3; ++axis) halfway = halfway && std::fabs(centre[axis] - (from[axis] + to[axis]) / 2) < 1e-4;
        CHECK(halfway);
    }
}

// The scene's file written on one thread, and on 2, 3, 7 and the default.
static bool same_bytes_on_any_thread_count(const glb::Scene& scene) {
    const glb::ScenePlan plan = glb::plan_glb(scene);
    const auto on = [&](uint32_t threads) {
        glb::GlbBytes bytes(size_t(plan.file_size));
        glb::write_glb(bytes.data(), plan, scene, threads);
        return bytes;
    };
    const glb::GlbBytes one = on(1);
    for (const uint32_t threads : {0u, 2u, 3u, 7u})
        if (on(threads) != one) return false;
    return true;
}

// The checked atom files do not depend on the thread count either, spheres included.
static void test_checked_atoms_independent_of_threads() {
    std::mt19937 random(31);
    const size_t n = 30000;
    std::vector<double> positions(3 * n);
    std::vector<int32_t> types(n);
    std::vector<uint32_t> bonds(200);
    for (double& value : positions) value = double(random() % 100000) / 997;
    for (int32_t& type : types) type = int32_t(random() % 12);
    for (size_t i = 0; i < bonds.size(); ++i) bonds[i] = uint32_t(i % 2 ? i - 1 : i + 1);
    for (const glb::AtomStyle style : {glb::AtomStyle::points, glb::AtomStyle::ball_and_stick}) {
        for (const glb::Encoding encoding : {glb::Encoding::float32, glb::Encoding::compact}) {
            glb::AtomCloud input;
            input.positions = {positions.data(), positions.size(), glb::ElementType::float64, true};
            input.types = {types.data(), types.size(), glb::ElementType::int32, true};
            input.style = style;
            input.encoding = encoding;
            if (style != glb::AtomStyle::points) input.bonds = {bonds.data(), bonds.size(), glb::ElementType::uint32, true};
            glb::Scene scene;
            scene.parts.push_back(glb::ScenePart{input, "", false, {}});
            CHECK(same_bytes_on_any_thread_count(scene));
        }
    }
}

// A trajectory's frames are written several at a time on the pool (a frame
// each): the same bytes as one after the other, for every style and encoding.
static void test_frames_independent_of_threads() {
    std::mt19937 random(37);
    const size_t n = 1500, frame_count = 24;
    std::vector<double> positions(3 * n * frame_count);
    std::vector<uint8_t> elements(n);
    for (double& value : positions) value = double(random() % 100000) / 4999;
    for (uint8_t& element : elements) element = uint8_t(1 + random() % 30);
    for (const glb::AtomStyle style : {glb::AtomStyle::points, glb::AtomStyle::spheres, glb::AtomStyle::ball_and_stick}) {
        for (const glb::Encoding encoding : {glb::Encoding::float32, glb::Encoding::compact}) {
            glb::Scene scene;
            scene.frame_duration = 0.04;
            for (size_t k = 0; k < frame_count; ++k) {
                glb::AtomCloud frame;
                frame.positions = {positions.data() + 3 * n * k, 3 * n, glb::ElementType::float64, true};
                frame.atomic_numbers = {elements.data(), n, glb::ElementType::uint8, true};
                frame.style = style;
                frame.bond_search = glb::BondSearch::automatic;
                frame.encoding = encoding;
                scene.parts.push_back(glb::ScenePart{frame, "", false, {}});
            }
            CHECK(same_bytes_on_any_thread_count(scene));
        }
    }
}

// A rough heightfield of side x side vertices, two triangles a square.
struct TestMesh {
    std::vector<double> positions;
    std::vector<uint32_t> faces;
    std::vector<float> normals, colors;
};

static TestMesh rough_grid(uint32_t side, uint32_t stream) {
    std::mt19937 random(stream);
    TestMesh mesh;
    for (uint32_t v = 0; v < side * side; ++v) {
        const double height = double(random() % 1000) / 900;
        mesh.positions.insert(mesh.positions.end(), {double(v % side), height, double(v / side)});
        mesh.normals.insert(mesh.normals.end(), {float(random() % 200) / 100 - 1, 1, float(random() % 200) / 100 - 1});
        mesh.colors.insert(mesh.colors.end(), {float(random() % 256) / 255, 0.5f, float(random() % 256) / 255, 1});
    }
    for (uint32_t r = 0; r + 1 < side; ++r) {
        for (uint32_t c = 0; c + 1 < side; ++c) {
            const uint32_t a = r * side + c;
            mesh.faces.insert(mesh.faces.end(), {a, a + side, a + 1, a + 1, a + side, a + side + 1});
        }
    }
    return mesh;
}

// Computed normals and whole mesh files do not depend on the thread count:
// each vertex sums its faces in face order (as the plain loop below does).
static void test_meshes_independent_of_threads() {
    const TestMesh mesh = rough_grid(120, 41);
    const glb::ArrayView positions{mesh.positions.data(), mesh.positions.size(), glb::ElementType::float64, true};
    const size_t vertices = mesh.positions.size() / 3, face_count = mesh.faces.size() / 3;

    std::vector<double> sums(3 * vertices, 0.0);
    for (size_t f = 0; f < face_count; ++f) {
        double p[3][3];
        for (int k = 0; k < 3; ++k)
            for (int axis = 0; axis < 3; ++axis) p[k][axis] = double(float(mesh.positions[3 * mesh.faces[3 * f + k] + axis]));
        const double u[3] = {p[1][0] - p[0][0], p[1][1] - p[0][1], p[1][2] - p[0][2]};
        const double w[3] = {p[2][0] - p[0][0], p[2][1] - p[0][1], p[2][2] - p[0][2]};
        const double n[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2], u[0] * w[1] - u[1] * w[0]};
        for (int k = 0; k < 3; ++k)
            for (int axis = 0; axis < 3; ++axis) sums[3 * mesh.faces[3 * f + k] + axis] += n[axis];
    }
    std::vector<float> expected(3 * vertices);
    for (size_t v = 0; v < vertices; ++v) {
        const double* n = &sums[3 * v];
        const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        for (int axis = 0; axis < 3; ++axis) expected[3 * v + axis] = float(n[axis] / length);
    }
    for (const uint32_t threads : {1u, 2u, 3u, 7u}) {
        std::vector<float> smooth(3 * vertices);
        glb::write_area_weighted_normals(smooth.data(), positions, mesh.faces.data(), face_count, threads);
        CHECK(smooth == expected);
    }

    // Creases: the same copies, normals and renumbered faces on any number of threads.
    for (const double cosine : {std::cos(0.5), std::cos(0.002)}) {
        std::vector<uint32_t> one_faces = mesh.faces;
        const glb::SplitVertices one = glb::split_at_creases(one_faces.data(), face_count, positions, cosine, 1);
        CHECK(one.count > vertices && one.source);
        for (const uint32_t threads : {2u, 3u, 7u}) {
            std::vector<uint32_t> faces = mesh.faces;
            const glb::SplitVertices split = glb::split_at_creases(faces.data(), face_count, positions, cosine, threads);
            CHECK(split.count == one.count && faces == one_faces);
            CHECK(std::equal(one.source.get(), one.source.get() + one.count, split.source.get()));
            CHECK(std::memcmp(one.normals.get(), split.normals.get(), 12 * one.count) == 0);
        }
    }

    // Whole files: given or computed normals, colours, float32 or compact (windows past 65,535 vertices).
    const TestMesh large = rough_grid(300, 43);
    for (const TestMesh* input : {&mesh, &large}) {
        for (int style = 0; style < 4; ++style) {
            for (const glb::Encoding encoding : {glb::Encoding::float32, glb::Encoding::compact}) {
                glb::TriangleMesh part;
                part.positions = {input->positions.data(), input->positions.size(), glb::ElementType::float64, true};
                part.faces = {input->faces.data(), input->faces.size(), glb::ElementType::uint32, true};
                part.colors = {{input->colors.data(), input->colors.size(), glb::ElementType::float32, true}, 4};
                if (style == 0) part.normals = {input->normals.data(), input->normals.size(), glb::ElementType::float32, true};
                part.normals_mode = style == 2 ? glb::NormalsMode::smooth : style == 3 ? glb::NormalsMode::flat
                                                                                       : glb::NormalsMode::creased;
                part.encoding = encoding;
                glb::Scene scene;
                scene.parts.push_back(glb::ScenePart{part, "", false, {}});
                CHECK(same_bytes_on_any_thread_count(scene));
            }
        }
    }
}

// The fast index pass finds nothing wrong that the checked one would refuse, and leaves the naming to it.
static void test_index_checks_name_the_first_bad_index() {
    std::vector<uint32_t> wide(3000, 5);
    wide[1234] = 9;
    wide[2000] = 10;
    size_t row = glb::kNoIndex, column = glb::kNoIndex;
    try {
        glb::read_indices(nullptr, glb::ArrayView{wide.data(), wide.size(), glb::ElementType::uint32}, 3, 9, glb::Field::indices);
    } catch (const glb::InputError& error) {
        row = error.row, column = error.component;
    }
    CHECK(row == 411 && column == 1);
    std::vector<int64_t> signed_values(3000, 5);
    std::vector<uint32_t> written(3000);
    signed_values[2999] = -1;
    CHECK(refuses([&] { glb::read_indices(written.data(), glb::ArrayView{signed_values.data(), 3000, glb::ElementType::int64}, 1, 9,
                                          glb::Field::types); },
                  glb::Field::types, glb::Problem::negative));
    signed_values[2999] = 8;
    std::vector<uint32_t> converted(3000);
    glb::read_indices(converted.data(), glb::ArrayView{signed_values.data(), 3000, glb::ElementType::int64}, 1, 9, glb::Field::types);
    CHECK(converted[2999] == 8 && converted[0] == 5);
}

// Every document fits the bound it was allocated by, also with many elements.
static void test_document_bounds_hold() {
    glb::gltf::Document document;
    document.extensions = {glb::kQuantizationExtension};
    for (uint32_t i = 0; i < 50; ++i) {
        glb::gltf::Accessor accessor;
        accessor.count = uint64_t(1) << (i % 63);
        accessor.bounds = glb::gltf::BoundsKind::floats;
        accessor.min[0] = -1.7976931348623157e308;
        accessor.max[2] = 3.4028235e38;
        document.add(accessor);
        document.add(glb::gltf::BufferView{UINT64_MAX, UINT64_MAX, 8, glb::gltf::Target::vertices});
        glb::gltf::Node node;
        node.name = "node " + std::to_string(i);
        node.has_transform = true;
        node.translation[1] = -2.2250738585072014e-308;
        node.instances.push_back({"TRANSLATION", i});
        document.nodes.push_back(node);
    }
    const std::string text = glb::gltf::write_document(document);
    CHECK(text.size() <= glb::gltf::document_length_bound(document) && text.find("\"byteStride\":8") != std::string::npos);
}

int main() {
    test_container_writer();
    test_document_numbers();
    test_parallel_ranges();
    test_parallel_ranges_on_the_pool();
    test_points_in_morton_order();
    test_radix_sort();
    test_atoms_independent_of_threads();
    test_entry_sort();
    test_scratch_reserve();
    test_raw_input_checks();
    test_raw_documents_match_their_templates();
    test_checks_name_the_first_bad_row();
    test_element_symbols();
    test_sphere_and_stick_geometry();
    test_checked_atoms_independent_of_threads();
    test_frames_independent_of_threads();
    test_document_bounds_hold();
    test_chemistry(checks, failures);
    test_meshes_independent_of_threads();
    test_index_checks_name_the_first_bad_index();
    if (failures != 0) {
        std::fprintf(stderr, "%d of %d checks failed\n", failures, checks);
        return 1;
    }
    std::printf("core tests passed: %d checks\n", checks);
    return 0;
}
