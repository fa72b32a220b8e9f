#include "memory/large_memory.h"
#include "parallel/parallel.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>
#include <vector>

namespace glb {

namespace {

constexpr unsigned kKeyShift = 32;  // the key is the entry's high half
constexpr unsigned kMaxDigitBits = 10;

// One range's scatter of a pass: entries [begin, end) to the positions that its
// offset row gives (ascending within a digit, so the pass is stable). Unless
// this is the last pass, counts the next pass's digit of each entry by the range
// of the split that its new position falls in: next_counts holds one row per
// range (this writing range's own table, merged by the calling thread).
void scatter_entries(const uint64_t* source, uint64_t* destination, size_t begin, size_t end, unsigned shift,
                     unsigned bits, uint32_t* offset_row, uint32_t* next_counts, size_t count, size_t chunk) {
    const uint32_t mask = (uint32_t(1) << bits) - 1;
    const auto digit_of = [mask](uint64_t entry, unsigned at) { return uint32_t(entry >> at) & mask; };
    if (next_counts == nullptr) {
        for (size_t p = begin; p < end; ++p) {
            const uint64_t entry = source[p];
            destination[offset_row[digit_of(entry, shift)]++] = entry;
        }
        return;
    }
    const size_t radix = size_t(1) << bits;
    const size_t ranges = (count + chunk - 1) / chunk;
    std::memset(next_counts, 0, ranges * radix * sizeof(uint32_t));
    if (chunk >= count) {  // one range: no position to map to a range
        for (size_t p = begin; p < end; ++p) {
            const uint64_t entry = source[p];
            destination[offset_row[digit_of(entry, shift)]++] = entry;
            ++next_counts[digit_of(entry, shift + bits)];
        }
        return;
    }
    // A digit's positions only grow, one at a time: each digit tracks the range
    // its next position lies in and where that range ends.
    uint32_t range_of[size_t(1) << kMaxDigitBits];
    uint32_t range_end[size_t(1) << kMaxDigitBits];
    for (size_t digit = 0; digit < radix; ++digit) {
        const size_t range = offset_row[digit] / chunk;
        range_of[digit] = uint32_t(range);
        range_end[digit] = uint32_t(std::min(count, (range + 1) * chunk));
    }
    for (size_t p = begin; p < end; ++p) {
        const uint64_t entry = source[p];
        const uint32_t digit = digit_of(entry, shift);
        const uint32_t q = offset_row[digit]++;
        destination[q] = entry;
        if (q == range_end[digit]) {
            ++range_of[digit];
            range_end[digit] = uint32_t(std::min<size_t>(count, range_end[digit] + chunk));
        }
        ++next_counts[(size_t(range_of[digit]) << bits) + digit_of(entry, shift + bits)];
    }
}

}  // namespace

DigitCounts::DigitCounts(uint32_t thread_count, unsigned digit_bits)
    : digit_bits_(digit_bits), counts_(size_t(thread_count) << digit_bits, 0) {}

uint64_t* radix_sort_entries(uint64_t* entries, uint64_t* scratch, size_t count, uint32_t thread_count,
                             const DigitCounts& first_digit, unsigned key_bits) {
    if (thread_count == 0) throw std::invalid_argument("radix_sort_entries needs at least one thread");
    if (count > 0xFFFFFFFFu) throw std::length_error("radix sorts take at most 2^32 - 1 entries");
    const unsigned bits = first_digit.digit_bits();
    if (bits == 0 || bits > kMaxDigitBits || first_digit.ranges() < thread_count || key_bits == 0 || key_bits > 32)
        throw std::invalid_argument("radix_sort_entries: digit counts or key width do not fit");
    if (count == 0) return entries;
    const unsigned passes = (key_bits + bits - 1) / bits;
    const size_t radix = size_t(1) << bits;
    const size_t chunk = count / thread_count + (count % thread_count != 0);  // the split of parallel_ranges
    const size_t ranges = (count + chunk - 1) / chunk;                          // those of them that run

    DigitCounts counts = first_digit;  // of the pass to come, per source range
    std::vector<uint32_t> offsets(ranges * radix);
    // Per writing range: the next digit's counts by destination range (ranges x ranges rows),
    // each writer's table zeroed by the writer itself.
    std::vector<uint32_t> next_counts(passes > 1 ? ranges * ranges * radix : 0);
    uint64_t* source = entries;
    uint64_t* destination = scratch;

    for (unsigned pass = 0; pass < passes; ++pass) {
        const unsigned shift = kKeyShift + bits * pass;
        const bool last = pass + 1 == passes;
        // Entries of digit d from range t go before those of digit d from range t + 1:
        // with each range scattering in input order, every pass is stable.
        uint32_t running = 0;
        for (size_t digit = 0; digit < radix; ++digit) {
            for (uint32_t t = 0; t < ranges; ++t) {
                offsets[(size_t(t) << bits) + digit] = running;
                running += counts.row(t)[digit];
            }
        }
        parallel_ranges(count, thread_count, [&](uint32_t range, size_t begin, size_t end) {
            scatter_entries(source, destination, begin, end, shift, bits, &offsets[size_t(range) << bits],
                            last ? nullptr : &next_counts[size_t(range) * ranges * radix], count, chunk);
        });
        if (!last) {
            for (uint32_t t = 0; t < ranges; ++t) {
                uint32_t* row = counts.row(t);
                std::memset(row, 0, radix * sizeof(uint32_t));
                for (uint32_t writer = 0; writer < ranges; ++writer) {
                    const uint32_t* written = &next_counts[(size_t(writer) * ranges + t) * radix];
                    for (size_t digit = 0; digit < radix; ++digit) row[digit] += written[digit];
                }
            }
        }
        std::swap(source, destination);
    }
    return source;
}

void radix_sort_pairs(uint32_t* keys, uint32_t* indices, size_t count, uint32_t thread_count) {
    if (thread_count == 0) throw std::invalid_argument("radix_sort_pairs needs at least one thread");
    if (count > 0xFFFFFFFFu) throw std::length_error("radix_sort_pairs sorts at most 2^32 - 1 entries");
    if (count == 0) return;

    // Never zero-filled: every entry is written before it is read.
    ScratchArray<uint64_t> entries = allocate_scratch<uint64_t>(count);
    ScratchArray<uint64_t> scratch = allocate_scratch<uint64_t>(count);
    DigitCounts first_digit(thread_count);
    uint64_t* packed = entries.get();
    parallel_ranges(count, thread_count, [&](uint32_t range, size_t begin, size_t end) {
        uint32_t* counts = first_digit.row(range);
        for (size_t i = begin; i < end; ++i) {
            packed[i] = uint64_t(keys[i]) << kKeyShift | indices[i];
            ++counts[keys[i] & 0xFF];
        }
    });
    // Four 8-bit passes: the sorted entries are back in `entries`.
    const uint64_t* sorted = radix_sort_entries(packed, scratch.get(), count, thread_count, first_digit);
    parallel_ranges(count, thread_count, [&](uint32_t, size_t begin, size_t end) {
        for (size_t i = begin; i < end; ++i) {
            keys[i] = uint32_t(sorted[i] >> kKeyShift);
            indices[i] = uint32_t(sorted[i]);
        }
    });
}

}  // namespace glb
