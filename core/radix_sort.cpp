#include "large_memory.h"
#include "parallel.h"

#include <cstring>
#include <stdexcept>
#include <utility>
#include <vector>

namespace glb {

namespace {

constexpr unsigned kRadix = 256;  // 8-bit digits, four passes over 32-bit keys

void count_digits(const uint32_t* keys, size_t begin, size_t end, unsigned shift, uint32_t* histogram_row) {
    std::memset(histogram_row, 0, kRadix * sizeof(uint32_t));
    for (size_t p = begin; p < end; ++p) ++histogram_row[(keys[p] >> shift) & 0xFF];
}

void scatter_digits(const uint32_t* source_keys, const uint32_t* source_indices, uint32_t* destination_keys,
                    uint32_t* destination_indices, size_t begin, size_t end, unsigned shift, uint32_t* offset_row) {
    for (size_t p = begin; p < end; ++p) {
        const uint32_t key = source_keys[p];
        const uint32_t q = offset_row[(key >> shift) & 0xFF]++;
        destination_keys[q] = key;
        destination_indices[q] = source_indices[p];
    }
}

}  // namespace

void radix_sort_pairs(uint32_t* keys, uint32_t* indices, size_t count, uint32_t thread_count) {
    if (thread_count == 0) throw std::invalid_argument("radix_sort_pairs needs at least one thread");
    if (count > 0xFFFFFFFFu) throw std::length_error("radix_sort_pairs sorts at most 2^32 - 1 entries");
    if (count == 0) return;

    // Never zero-filled: every entry is written by a scatter before it is read.
    ScratchArray<uint32_t> scratch_keys = allocate_scratch<uint32_t>(count);
    ScratchArray<uint32_t> scratch_indices = allocate_scratch<uint32_t>(count);
    // Row t belongs to range t of the split; rows of ranges that never run stay zero.
    std::vector<uint32_t> histogram(size_t(thread_count) * kRadix, 0);
    std::vector<uint32_t> offsets(size_t(thread_count) * kRadix, 0);

    uint32_t* source_keys = keys;
    uint32_t* source_indices = indices;
    uint32_t* destination_keys = scratch_keys.get();
    uint32_t* destination_indices = scratch_indices.get();

    for (unsigned shift = 0; shift < 32; shift += 8) {
        parallel_ranges(count, thread_count, [&](uint32_t range, size_t begin, size_t end) {
            count_digits(source_keys, begin, end, shift, &histogram[size_t(range) * kRadix]);
        });

        // Entries of digit d from range t go before those of digit d from range t + 1:
        // with each range scattering in input order, every pass is stable.
        uint32_t running = 0;
        for (unsigned digit = 0; digit < kRadix; ++digit) {
            uint32_t position = running;
            for (uint32_t t = 0; t < thread_count; ++t) {
                offsets[size_t(t) * kRadix + digit] = position;
                position += histogram[size_t(t) * kRadix + digit];
            }
            running = position;
        }

        parallel_ranges(count, thread_count, [&](uint32_t range, size_t begin, size_t end) {
            scatter_digits(source_keys, source_indices, destination_keys, destination_indices, begin, end, shift,
                           &offsets[size_t(range) * kRadix]);
        });
        std::swap(source_keys, destination_keys);
        std::swap(source_indices, destination_indices);
    }
    // Four passes, an even number: the sorted pairs are back in the caller's arrays.
    if (source_keys != keys) {
        std::memcpy(keys, source_keys, count * sizeof(uint32_t));
        std::memcpy(indices, source_indices, count * sizeof(uint32_t));
    }
}

}  // namespace glb
