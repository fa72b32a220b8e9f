// Memory for the large arrays of a call (scratch, the finished GLB).
//
// Fresh memory costs a page fault per 4 KiB page on first touch, and on virtual
// machines those faults, not the copying, dominate a call with millions of
// elements; on those that hand freed memory back to their host, every call that
// comes a second or more after the last one pays them again. Bindings that make
// call after call (a server, a frame loop) therefore keep the scratch memory of
// their calls in a ScratchReserve, and take the caller's memory for the file.
// Memory that is fresh in every call (the native module's) is aligned to 2 MiB
// and advised for transparent huge pages, which the kernel maps with one fault
// per 2 MiB: calls made back to back run twice as fast, calls seconds apart
// half as fast as with 4 KiB pages (the host must back each huge page anew).
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

namespace glb {

// A block of at least `bytes` bytes from the C heap, or nullptr, huge pages
// advised from 4 MiB on. Release it with std::free.
void* allocate_large(size_t bytes) noexcept;

// Scratch memory kept between the calls of a binding. One call at a time uses it
// (a ScratchSession); the blocks of 1 MiB and more that the call's scratch
// arrays take come from it (each block at most a quarter larger than what it
// serves), and are kept when the call ends: no more than the largest of the
// last four calls used at once. release() frees them.
// Thread-safe: a call of another thread while one uses the reserve takes its
// memory from the heap, as without a reserve.
class ScratchReserve {
public:
    ScratchReserve() = default;
    ~ScratchReserve();
    ScratchReserve(const ScratchReserve&) = delete;
    ScratchReserve& operator=(const ScratchReserve&) = delete;

    // Frees every kept block that no call is using now, and the others as their
    // calls return them. Returns the bytes freed now.
    size_t release() noexcept;
    // Bytes of the blocks held, in use or kept.
    size_t held_bytes() const noexcept;

    // For the memory functions below (not for bindings).
    void* take(size_t bytes) noexcept;  // nullptr when the heap refuses
    void give_back(void* memory) noexcept;

private:
    friend class ScratchSession;
    struct Block {
        void* memory;
        size_t bytes;
        bool in_use;
        bool discard;        // released while in use: freed when given back
        uint64_t last_call;  // the last call that took it
    };
    void end_call() noexcept;
    void free_block(size_t index) noexcept;

    std::atomic<bool> busy_{false};  // a session holds the reserve
    mutable std::mutex mutex_;       // guards what follows; held for a moment only
    std::vector<Block> blocks_;
    uint64_t call_ = 0;
    size_t in_use_bytes_ = 0;
    size_t call_peak_ = 0;
    size_t recent_peaks_[4] = {};
};

// While a session lives, the scratch arrays that the core takes on its thread
// come from the reserve, if no other call is using it; otherwise, and with a
// null reserve, from the heap. Every array must be released before the session
// ends (an array that outlives it is freed when released). At its end the
// reserve keeps what the call used, within the reserve's bound.
class ScratchSession {
public:
    explicit ScratchSession(ScratchReserve* reserve) noexcept;
    ~ScratchSession();
    ScratchSession(const ScratchSession&) = delete;
    ScratchSession& operator=(const ScratchSession&) = delete;

private:
    ScratchReserve* reserve_ = nullptr;  // when this session holds it
    ScratchReserve* outer_ = nullptr;
};

// A session on the process's own reserve, for calls that come without one (the
// native module's, which has no release call): while it lives on a thread where
// no other session is open, that thread's scratch comes from a reserve that the
// process keeps until it ends, within the same bound (what the last four such
// calls needed). Inside another session, with or without a reserve, it does
// nothing.
class ProcessScratchSession {
public:
    ProcessScratchSession() noexcept;

private:
    ScratchSession session_;
};

// bytes of scratch memory: from the reserve of this thread's
// session when it has one, else from the heap. *reserve says where it came from.
void* take_scratch(size_t bytes, ScratchReserve** reserve) noexcept;

// Returns a scratch block to where it came from.
struct ScratchRelease {
    ScratchReserve* reserve = nullptr;  // none: the heap
    void operator()(void* memory) const noexcept {
        if (reserve != nullptr) {
            reserve->give_back(memory);
        } else {
            std::free(memory);
        }
    }
};
template <typename T>
using ScratchArray = std::unique_ptr<T[], ScratchRelease>;

// count elements of scratch, not zero-filled (callers write each element before
// reading it); std::bad_alloc when the heap refuses.
template <typename T>
ScratchArray<T> allocate_scratch(size_t count) {
    if (count > size_t(-1) / sizeof(T)) throw std::bad_alloc();
    ScratchReserve* reserve = nullptr;
    void* memory = take_scratch(count * sizeof(T), &reserve);
    if (memory == nullptr) throw std::bad_alloc();
    return ScratchArray<T>(static_cast<T*>(memory), ScratchRelease{reserve});
}

// A copy of a caller's input (a strided buffer packed, or an array that may
// change while the work runs): scratch memory, from the session's reserve when
// there is one. std::bad_alloc when the heap refuses.
ScratchArray<uint8_t> allocate_input_copy(size_t bytes);

// Advises the whole 2 MiB pages inside [memory, memory + bytes) for huge pages.
// Only a hint: harmless where the platform has no such pages.
void advise_huge_pages(void* memory, size_t bytes) noexcept;

// Allocator of the GLB byte vector: large blocks as above, and no zero fill, since
// the writer sets every byte (payload, padding and headers) itself.
template <typename T>
struct GlbAllocator {
    using value_type = T;
    GlbAllocator() noexcept = default;
    template <typename U>
    GlbAllocator(const GlbAllocator<U>&) noexcept {}

    T* allocate(size_t count) {
        if (count > size_t(-1) / sizeof(T)) throw std::bad_alloc();
        void* memory = allocate_large(count * sizeof(T));
        if (memory == nullptr) throw std::bad_alloc();
        return static_cast<T*>(memory);
    }
    void deallocate(T* memory, size_t) noexcept;

    template <typename U>
    void construct(U* place) noexcept {
        ::new (static_cast<void*>(place)) U;  // default-initialised: left as it is
    }
    template <typename U, typename... Arguments>
    void construct(U* place, Arguments&&... arguments) {
        ::new (static_cast<void*>(place)) U(static_cast<Arguments&&>(arguments)...);
    }

    template <typename U>
    bool operator==(const GlbAllocator<U>&) const noexcept {
        return true;
    }
    template <typename U>
    bool operator!=(const GlbAllocator<U>&) const noexcept {
        return false;
    }
};

void release_large(void* memory) noexcept;

template <typename T>
void GlbAllocator<T>::deallocate(T* memory, size_t) noexcept {
    release_large(memory);
}

}  // namespace glb
