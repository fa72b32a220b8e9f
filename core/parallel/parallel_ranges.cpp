#include "parallel/parallel.h"

#include "glb_assembler.h"

#include <stdexcept>
#include <system_error>
#include <thread>
#include <vector>

namespace glb {

void parallel_ranges(size_t item_count, uint32_t thread_count, RangeWork work, const void* context) {
    if (thread_count == 0) throw std::invalid_argument("parallel_ranges needs at least one thread");
    // ceil(item_count / thread_count), written so that it cannot overflow.
    const size_t chunk = item_count / thread_count + (item_count % thread_count != 0);

    std::vector<std::thread> threads;
    threads.reserve(thread_count);  // the only allocation; made before any thread runs
    std::system_error start_failure(std::error_code{});
    bool start_failed = false;
    for (uint32_t i = 0; i < thread_count; ++i) {
        const size_t begin = size_t(i) * chunk;
        if (begin >= item_count) break;  // later ranges begin even further on
        const size_t end = item_count - begin < chunk ? item_count : begin + chunk;
        try {
            threads.emplace_back(work, context, i, begin, end);
        } catch (const std::system_error& failure) {
            // The started threads still use the caller's arrays: they must end
            // before the error leaves and the caller releases anything.
            start_failure = failure;
            start_failed = true;
            break;
        }
    }

    std::system_error join_failure(std::error_code{});
    bool join_failed = false;
    for (std::thread& thread : threads) {
        try {
            thread.join();
        } catch (const std::system_error& failure) {
            // Only the platform can fail a join of a started thread. Keep joining the
            // others; a handle that stays joinable must not be destroyed as such.
            if (!join_failed) join_failure = failure;
            join_failed = true;
            if (thread.joinable()) thread.detach();
        }
    }
    if (start_failed) throw start_failure;
    if (join_failed) throw join_failure;
}

uint32_t atom_thread_count(size_t atom_count) {
    if (atom_count < 100000) return 1;
    const unsigned hardware = std::thread::hardware_concurrency();
    return hardware == 0 ? 4 : hardware;
}

}  // namespace glb
