// Memory for the large arrays of a call (scratch, the finished GLB).
//
// Fresh memory costs a page fault per 4 KiB page on first touch, and on virtual
// machines those faults, not the copying, dominate a call with millions of
// elements. Large blocks are therefore aligned to 2 MiB and advised for
// transparent huge pages, which the kernel maps with one fault per 2 MiB.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <new>

namespace glb {

// A block of at least `bytes` bytes from the C heap, or nullptr. Release it with std::free.
void* allocate_large(size_t bytes) noexcept;

// A scratch array of the C heap, returned with std::free on every path.
struct FreeDeleter {
    void operator()(void* memory) const noexcept { std::free(memory); }
};
template <typename T>
using ScratchArray = std::unique_ptr<T[], FreeDeleter>;

// count elements of scratch, not zero-filled (callers write each element before
// reading it); std::bad_alloc when the heap refuses.
template <typename T>
ScratchArray<T> allocate_scratch(size_t count) {
    if (count > size_t(-1) / sizeof(T)) throw std::bad_alloc();
    ScratchArray<T> array(static_cast<T*>(allocate_large(count * sizeof(T))));
    if (!array) throw std::bad_alloc();
    return array;
}

// A copy of a caller's input (a strided buffer packed, or an array that may
// change while the work runs): plain pages from malloc, not huge ones, since a
// copy is fresh memory in every call and on virtual machines a fresh 2 MiB page
// costs far more to obtain from the host than the 4 KiB pages it replaces.
// std::bad_alloc when the heap refuses.
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
