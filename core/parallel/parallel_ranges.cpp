// parallel_ranges on one pool of worker threads for the whole process.
//
// A phase is queued while it has ranges that nobody has claimed; the calling
// thread and idle workers claim them one at a time under the pool's mutex, so
// that each range runs once, and the caller waits for the ranges that others
// claimed. The mutex orders everything: a range's writes happen before its
// claimant takes the mutex to count it finished, and the caller sees the count
// under the same mutex. The pool is created at first need and never destroyed:
// its idle workers block on a condition variable until the process ends.
#include "parallel/parallel.h"

#include "glb_assembler.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <new>
#include <stdexcept>
#include <system_error>
#include <thread>

#if defined(__unix__) || defined(__APPLE__)
#include <dlfcn.h>
#include <pthread.h>
#include <signal.h>
#define GLB_POSIX_THREADS 1
#elif defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>
#endif

namespace glb {

namespace {

// Hardware threads assumed when the platform reports none.
constexpr unsigned kUnknownHardwareThreads = 4;

// Phases of fewer items run on the calling thread alone: below this, waking a
// worker (0.03 to 0.3 ms on a virtual machine) costs about what its ranges save.
// bench/atom_phases, built with a minimum of 1, measures where the pool pays off.
#ifndef GLB_POOL_MINIMUM_ITEMS
#define GLB_POOL_MINIMUM_ITEMS 16384
#endif
constexpr size_t kPoolMinimumItems = GLB_POOL_MINIMUM_ITEMS;

unsigned hardware_threads() {
    const unsigned hardware = std::thread::hardware_concurrency();
    return hardware == 0 ? kUnknownHardwareThreads : hardware;
}

// A phase of item_count > 0 items, split as parallel_ranges says.
struct Phase {
    Phase(size_t items, uint32_t thread_count, RangeWork range_work, const void* range_context)
        : work(range_work),
          context(range_context),
          item_count(items),
          chunk(items / thread_count + (items % thread_count != 0)),  // ceil(items / thread_count), without overflow
          range_count(uint32_t(items / chunk + (items % chunk != 0))) {}

    const RangeWork work;
    const void* const context;
    const size_t item_count;
    const size_t chunk;
    const uint32_t range_count;       // the non-empty ranges
    uint32_t next_range = 0;          // the first range nobody has claimed
    uint32_t finished_ranges = 0;
    Phase* next_phase = nullptr;      // in the queue, while ranges are unclaimed
    std::condition_variable all_finished;  // the caller waits on it for the ranges of others
};

void run_range(const Phase& phase, uint32_t range) noexcept {
    const size_t begin = size_t(range) * phase.chunk;
    const size_t end = phase.item_count - begin < phase.chunk ? phase.item_count : begin + phase.chunk;
    phase.work(phase.context, range, begin, end);
}

// The workers run code of the library that holds this copy of the core (a
// Python extension, a Node addon) until the process ends: the library must stay
// loaded also when its loader lets go of it (Node unloads an addon with the
// last Worker environment that loaded it).
void keep_library_loaded() noexcept {
#if defined(GLB_POSIX_THREADS)
    Dl_info library;
    if (dladdr(reinterpret_cast<void*>(&keep_library_loaded), &library) != 0 && library.dli_fname != nullptr)
        dlopen(library.dli_fname, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);  // never closed
#elif defined(_WIN32)
    HMODULE library = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCWSTR>(&keep_library_loaded), &library);
#endif
}

class WorkerPool {
public:
    // Runs every range of the phase, on the calling thread and on idle workers;
    // returns once all have finished.
    void run(Phase& phase) noexcept {
        std::unique_lock<std::mutex> lock(mutex_);
        if (!started_) start_workers();
        if (last_ != nullptr) {
            last_->next_phase = &phase;
        } else {
            first_ = &phase;
        }
        last_ = &phase;
        // The caller takes ranges too: wake no more workers than the other ranges need.
        unsigned helpers = idle_workers_ < phase.range_count - 1 ? idle_workers_ : phase.range_count - 1;
        lock.unlock();
        while (helpers-- > 0) work_queued_.notify_one();
        lock.lock();
        while (phase.next_range < phase.range_count) {
            const uint32_t range = claim(phase);
            lock.unlock();
            run_range(phase, range);
            lock.lock();
            ++phase.finished_ranges;
        }
        phase.all_finished.wait(lock, [&phase] { return phase.finished_ranges == phase.range_count; });
    }

private:
    // The next range of a queued phase; a phase leaves the queue with its last range.
    uint32_t claim(Phase& phase) {
        const uint32_t range = phase.next_range++;
        if (phase.next_range == phase.range_count) {
            Phase** link = &first_;
            Phase* previous = nullptr;
            while (*link != &phase) {
                previous = *link;
                link = &(*link)->next_phase;
            }
            *link = phase.next_phase;
            if (last_ == &phase) last_ = previous;
            phase.next_phase = nullptr;
        }
        return range;
    }

    // A worker: the first queued phase's next range, again and again.
    void serve() noexcept {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            ++idle_workers_;
            work_queued_.wait(lock, [this] { return first_ != nullptr; });
            --idle_workers_;
            Phase& phase = *first_;
            const uint32_t range = claim(phase);
            lock.unlock();
            run_range(phase, range);
            lock.lock();
            // Under the mutex: once the caller sees the count, the phase (on its stack) may end.
            if (++phase.finished_ranges == phase.range_count) phase.all_finished.notify_one();
        }
    }

    // One worker per hardware thread beside the caller's, detached: the pool is
    // never destroyed. A thread that cannot start leaves the pool smaller (the
    // callers still run every range). Workers block the asynchronous signals,
    // which stay with the program's own threads; faults still reach the
    // program's handlers.
    void start_workers() noexcept {
        started_ = true;
        keep_library_loaded();
#if defined(GLB_POSIX_THREADS)
        sigset_t asynchronous, previous;
        sigfillset(&asynchronous);
        for (const int fault : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGTRAP, SIGABRT}) sigdelset(&asynchronous, fault);
        pthread_sigmask(SIG_BLOCK, &asynchronous, &previous);
#endif
        for (unsigned i = 1; i < hardware_threads(); ++i) {
            try {
                std::thread(&WorkerPool::serve, this).detach();
            } catch (const std::system_error&) {
                break;
            }
        }
#if defined(GLB_POSIX_THREADS)
        pthread_sigmask(SIG_SETMASK, &previous, nullptr);
#endif
    }

    std::mutex mutex_;
    std::condition_variable work_queued_;
    Phase* first_ = nullptr;  // the queue of phases with unclaimed ranges
    Phase* last_ = nullptr;
    unsigned idle_workers_ = 0;
    bool started_ = false;
};

std::atomic<WorkerPool*> process_pool{nullptr};

#if defined(GLB_POSIX_THREADS)
// A child of fork() has only the thread that forked: the parent's pool, whose
// workers did not come along and whose mutex another thread may have held, is
// left alone, and the child makes its own at its first need.
void forget_pool_in_child() { process_pool.store(nullptr, std::memory_order_relaxed); }
std::atomic<bool> fork_handler_registered{false};
#endif

WorkerPool* worker_pool() noexcept {
    WorkerPool* pool = process_pool.load(std::memory_order_acquire);
    if (pool != nullptr) return pool;
    WorkerPool* fresh = new (std::nothrow) WorkerPool;
    if (fresh == nullptr) return nullptr;
    if (!process_pool.compare_exchange_strong(pool, fresh, std::memory_order_acq_rel, std::memory_order_acquire)) {
        delete fresh;  // another thread's came first; no worker had started in this one
        return pool;
    }
#if defined(GLB_POSIX_THREADS)
    if (!fork_handler_registered.exchange(true)) pthread_atfork(nullptr, nullptr, forget_pool_in_child);
#endif
    return fresh;
}

void run_on_pool(size_t item_count, uint32_t thread_count, RangeWork work, const void* context) noexcept;
using PoolEntry = decltype(&run_on_pool);

// The pool that this copy of the core runs its phases on: its own, or that of
// another copy in the same process (see use_worker_pool).
std::atomic<PoolEntry> pool_entry{&run_on_pool};

// Every range in order on the calling thread (noexcept: a range that throws
// ends the program, wherever it runs).
void run_on_caller(size_t item_count, uint32_t thread_count, RangeWork work, const void* context) noexcept {
    const Phase phase(item_count, thread_count, work, context);
    for (uint32_t range = 0; range < phase.range_count; ++range) run_range(phase, range);
}

void run_on_pool(size_t item_count, uint32_t thread_count, RangeWork work, const void* context) noexcept {
    Phase phase(item_count, thread_count, work, context);
    WorkerPool* pool = worker_pool();
    if (pool != nullptr) {
        pool->run(phase);
    } else {
        for (uint32_t range = 0; range < phase.range_count; ++range) run_range(phase, range);
    }
}

}  // namespace

void parallel_ranges(size_t item_count, uint32_t thread_count, RangeWork work, const void* context) {
    if (thread_count == 0) throw std::invalid_argument("parallel_ranges needs at least one thread");
    if (item_count == 0) return;
    if (thread_count == 1 || item_count < kPoolMinimumItems) {
        run_on_caller(item_count, thread_count, work, context);
    } else {
        pool_entry.load(std::memory_order_acquire)(item_count, thread_count, work, context);
    }
}

void parallel_tasks(size_t task_count, uint32_t thread_count, RangeWork work, const void* context) {
    if (thread_count == 0) throw std::invalid_argument("parallel_tasks needs at least one thread");
    if (task_count == 0) return;
    if (thread_count == 1 || task_count == 1) {
        run_on_caller(task_count, thread_count, work, context);
    } else {
        pool_entry.load(std::memory_order_acquire)(task_count, thread_count, work, context);
    }
}

void* worker_pool_handle() noexcept {
    static PoolEntry entry = &run_on_pool;  // never written: a handle's target must be writable memory
    return &entry;
}

void use_worker_pool(const void* handle) noexcept {
    if (handle != nullptr) pool_entry.store(*static_cast<const PoolEntry*>(handle), std::memory_order_release);
}

uint32_t atom_thread_count(size_t atom_count) {
    if (atom_count < 100000) return 1;
    return hardware_threads();
}

}  // namespace glb
