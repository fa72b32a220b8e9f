#include "large_memory.h"
#include "parallel.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>
#include <vector>

namespace glb {

namespace {

constexpr unsigned kRadix = 256;  // 8-bit digits, four passes over 32-bit keys
constexpr unsigned kKeyShift = 32;  // the key is the entry's high half

inline unsigned digit_of(uint64_t entry, unsigned shift) { return unsigned(entry >> shift) & 0xFF; }

// One range's scatter of a pass: entries [begin, end) to the positions that its
// offset row gives (ascending within a digit, so the pass is stable). Unless
// this is the last pass, counts the next pass's digit of each entry by the range
// of the split that its new position falls in: next_counts holds one row of 256
// per range (this writing range's own table, merged by the calling thread).
void scatter_entries(const uint64_t* source, uint64_t* destination, size_t begin, size_t end, unsigned shift,
                     uint32_t* offset_row, uint32_t* next_counts, size_t count, size_t chunk) {
    if (next_counts == nullptr) {
        for (size_t p = begin; p < end; ++p) {
            const uint64_t entry = source[p];
            destination[offset_row[digit_of(entry, shift)]++] = entry;
        }
        return;
    }
    if (chunk >= count) {  // one range: no position to map to a range
        for (size_t p = begin; p < end; ++p) {
            const uint64_t entry = source[p];
            destination[offset_row[digit_of(entry, shift)]++] = entry;
            ++next_counts[digit_of(entry, shift + 8)];
        }
        return;
    }
    // A digit's positions only grow, one at a time: each digit tracks the range
    // its next position lies in and where that range ends.
    uint32_t range_of[kRadix];
    uint32_t range_end[kRadix];
    for (unsigned digit = 0; digit < kRadix; ++digit) {
        const size_t range = offset_row[digit] / chunk;
        range_of[digit] = uint32_t(range);
        range_end[digit] = uint32_t(std::min(count, (range + 1) * chunk));
    }
    for (size_t p = begin; p < end; ++p) {
        const uint64_t entry = source[p];
        const unsigned digit = digit_of(entry, shift);
        const uint32_t q = offset_row[digit]++;
        destination[q] = entry;
        if (q == range_end[digit]) {
            ++range_of[digit];
            range_end[digit] = uint32_t(std::min<size_t>(count, range_end[digit] + chunk));
        }
        ++next_counts[size_t(range_of[digit]) * kRadix + digit_of(entry, shift + 8)];
    }
}

}  // namespace

DigitCounts::DigitCounts(uint32_t thread_count) : counts_(size_t(thread_count) * 256, 0) {}

void radix_sort_entries(uint64_t* entries, uint64_t* scratch, size_t count, uint32_t thread_count,
                        const DigitCounts& first_digit) {
    if (thread_count == 0) throw std::invalid_argument("radix_sort_entries needs at least one thread");
    if (count > 0xFFFFFFFFu) throw std::length_error("radix sorts take at most 2^32 - 1 entries");
    if (count == 0) return;
    const size_t chunk = count / thread_count + (count % thread_count != 0);  // the split of parallel_ranges

    DigitCounts counts = first_digit;  // of the pass to come, per source range
    std::vector<uint32_t> offsets(size_t(thread_count) * kRadix);
    // Per writing range: the next digit's counts by destination range (T x T rows).
    std::vector<uint32_t> next_counts(size_t(thread_count) * thread_count * kRadix);
    uint64_t* source = entries;
    uint64_t* destination = scratch;

    for (unsigned pass = 0; pass < 4; ++pass) {
        const unsigned shift = kKeyShift + 8 * pass;
        const bool last = pass == 3;
        // Entries of digit d from range t go before those of digit d from range t + 1:
        // with each range scattering in input order, every pass is stable.
        uint32_t running = 0;
        for (unsigned digit = 0; digit < kRadix; ++digit) {
            for (uint32_t t = 0; t < thread_count; ++t) {
                offsets[size_t(t) * kRadix + digit] = running;
                running += counts.row(t)[digit];
            }
        }
        std::fill(next_counts.begin(), next_counts.end(), 0u);
        parallel_ranges(count, thread_count, [&](uint32_t range, size_t begin, size_t end) {
            scatter_entries(source, destination, begin, end, shift, &offsets[size_t(range) * kRadix],
                            last ? nullptr : &next_counts[size_t(range) * thread_count * kRadix], count, chunk);
        });
        if (!last) {
            for (uint32_t t = 0; t < thread_count; ++t) {
                uint32_t* row = counts.row(t);
                std::memset(row, 0, kRadix * sizeof(uint32_t));
                for (uint32_t writer = 0; writer < thread_count; ++writer) {
                    const uint32_t* written = &next_counts[(size_t(writer) * thread_count + t) * kRadix];
                    for (unsigned digit = 0; digit < kRadix; ++digit) row[digit] += written[digit];
                }
            }
        }
        std::swap(source, destination);
    }
    // Four passes, an even number: the sorted entries are back in `entries`.
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
    radix_sort_entries(packed, scratch.get(), count, thread_count, first_digit);
    parallel_ranges(count, thread_count, [&](uint32_t, size_t begin, size_t end) {
        for (size_t i = begin; i < end; ++i) {
            keys[i] = uint32_t(packed[i] >> kKeyShift);
            indices[i] = uint32_t(packed[i]);
        }
    });
}

}  // namespace glb
