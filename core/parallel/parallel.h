// Parallel machinery of the GLB core: item-parallel phases on one pool of
// worker threads for the process, and the stable radix sort that orders atoms.
// Each phase splits its items statically and its ranges write disjoint memory;
// the pool hands the ranges out and waits for them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace glb {

// Work of one range: range_index i covers items [begin, end). Must not throw.
using RangeWork = void (*)(const void* context, uint32_t range_index, size_t begin, size_t end);

// One phase: splits [0, item_count) into thread_count (>= 1) ranges of
// ceil(item_count / thread_count) items, runs each non-empty range (ranges
// 0 .. k-1) once, and returns when all have finished, with everything they
// wrote visible to the caller. Ranges run on the calling thread and on the
// process's pool of workers (one per hardware thread beside the caller's,
// started at the first phase that needs them and kept until the process ends;
// a child of fork() starts its own): the caller always runs ranges itself, so a
// phase makes progress while every worker serves other phases, from any number
// of threads at once. A single range, or fewer than 16384 items, run on the
// calling thread alone, in range order. Throws std::invalid_argument for a
// thread_count of 0; a range that throws ends the program.
void parallel_ranges(size_t item_count, uint32_t thread_count, RangeWork work, const void* context);

// Same, for items that are each worth a range of their own (the parts of a
// scene, the frames of a trajectory): the pool takes them from two items on.
void parallel_tasks(size_t task_count, uint32_t thread_count, RangeWork work, const void* context);

// Both, for any callable f(uint32_t range_index, size_t begin, size_t end).
template <typename Work>
void parallel_ranges(size_t item_count, uint32_t thread_count, const Work& work) {
    parallel_ranges(
        item_count, thread_count,
        [](const void* context, uint32_t range_index, size_t begin, size_t end) {
            (*static_cast<const Work*>(context))(range_index, begin, end);
        },
        &work);
}

template <typename Work>
void parallel_tasks(size_t task_count, uint32_t thread_count, const Work& work) {
    parallel_tasks(
        task_count, thread_count,
        [](const void* context, uint32_t range_index, size_t begin, size_t end) {
            (*static_cast<const Work*>(context))(range_index, begin, end);
        },
        &work);
}

// One pool also where the core is linked more than once into a process (each
// Python extension module holds a copy): an opaque handle on this copy's pool,
// and the call that makes this copy run its phases on another copy's pool from
// then on. The handle must come from the same build of the core.
void* worker_pool_handle() noexcept;
void use_worker_pool(const void* handle) noexcept;

// Sorts keys[0 .. count) ascending (unsigned) and applies the same permutation to
// indices; stable, in place, identical output for every thread_count (>= 1).
// Least-significant-digit radix sort of four 8-bit passes on thread_count threads,
// run by radix_sort_entries on 64-bit entries that carry each key with its index.
// Takes 16 * count bytes of scratch. Throws std::bad_alloc when scratch cannot be
// allocated, std::length_error when count does not fit 32-bit positions.
void radix_sort_pairs(uint32_t* keys, uint32_t* indices, size_t count, uint32_t thread_count);

// Counters of one digit (8 or 10 bits wide): one row of 2^bits per range of a
// phase's split.
class DigitCounts {
public:
    explicit DigitCounts(uint32_t thread_count, unsigned digit_bits = 8);
    unsigned digit_bits() const { return digit_bits_; }
    uint32_t digit_mask() const { return (uint32_t(1) << digit_bits_) - 1; }
    uint32_t* row(uint32_t range_index) { return counts_.data() + (size_t(range_index) << digit_bits_); }
    const uint32_t* row(uint32_t range_index) const { return counts_.data() + (size_t(range_index) << digit_bits_); }
    uint32_t ranges() const { return uint32_t(counts_.size() >> digit_bits_); }

private:
    unsigned digit_bits_;
    std::vector<uint32_t> counts_;
};

// Sorts entries[0 .. count) stably by their high 32 bits (the key), of which only
// the lowest key_bits may be set; the low 32 bits travel along. Each pass
// scatters one 64-bit stream per digit of first_digit.digit_bits() bits, between
// entries and scratch (count entries each): ceil(key_bits / digit bits) passes,
// so four of 8 bits for any 32-bit key, three of 10 bits for 30-bit Morton keys.
// Returns where the sorted entries lie: entries after an even number of passes,
// scratch after an odd one.
// first_digit: the counts of the key's lowest digit per range of the split of
// parallel_ranges(count, thread_count), which the caller makes while it fills
// the entries; each scatter counts the next pass's digit as it writes, so that
// every pass is a single phase. Throws as radix_sort_pairs does (count must be
// below 2^32). The calling thread merges the counts between passes.
uint64_t* radix_sort_entries(uint64_t* entries, uint64_t* scratch, size_t count, uint32_t thread_count,
                             const DigitCounts& first_digit, unsigned key_bits = 32);

}  // namespace glb
