// Per-row conversions of large arrays on several threads, as the atom builders
// run theirs: one range a hardware thread from 100000 rows on. The work of a
// range may refuse a value: its InputError waits for the join, names its row in
// the whole array (the work reports rows counted from its range's start), and
// the lowest range's error is the one that leaves.
#pragma once

#include <cstddef>
#include <exception>
#include <utility>
#include <vector>

#include "glb_assembler.h"
#include "inputs/input_error.h"
#include "parallel/parallel.h"

namespace glb {

// thread_count ranges; 0: one a hardware thread from 100000 rows on.
template <typename Work>
void for_row_ranges(size_t rows, uint32_t thread_count, Work&& work) {
    const uint32_t threads = thread_count != 0 ? thread_count : atom_thread_count(rows);
    std::vector<std::exception_ptr> failures(threads);
    parallel_ranges(rows, threads, [&](uint32_t range, size_t begin, size_t end) {
        try {
            try {
                work(begin, end);
            } catch (const InputError& error) {
                if (error.row == kNoIndex || begin == 0) throw;
                throw_value_error(error.field, error.problem, error.row + begin, error.component, error.value, error.limit);
            }
        } catch (...) {
            failures[range] = std::current_exception();
        }
    });
    for (const std::exception_ptr& failure : failures)
        if (failure) std::rethrow_exception(failure);
}

template <typename Work>
void for_row_ranges(size_t rows, Work&& work) {
    for_row_ranges(rows, 0, std::forward<Work>(work));
}

}  // namespace glb
