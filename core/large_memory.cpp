#include "large_memory.h"

#include <cstdint>
#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace glb {

#if defined(__linux__)
namespace {
constexpr size_t kHugePage = size_t(2) << 20;
constexpr size_t kLargeBlock = size_t(4) << 20;  // below this, ordinary pages cost little
}  // namespace
#endif

void* allocate_large(size_t bytes) noexcept {
#if defined(__linux__)
    // Only Linux maps transparent huge pages on request; elsewhere alignment buys nothing.
    if (bytes >= kLargeBlock) {
        void* memory = nullptr;
        if (posix_memalign(&memory, kHugePage, bytes) != 0) return nullptr;
        advise_huge_pages(memory, bytes);
        return memory;
    }
#endif
    return std::malloc(bytes == 0 ? 1 : bytes);
}

void release_large(void* memory) noexcept { std::free(memory); }

ScratchArray<uint8_t> allocate_input_copy(size_t bytes) {
    ScratchArray<uint8_t> copy(static_cast<uint8_t*>(std::malloc(bytes == 0 ? 1 : bytes)));
    if (!copy) throw std::bad_alloc();
    return copy;
}

void advise_huge_pages(void* memory, size_t bytes) noexcept {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    const uintptr_t start = (reinterpret_cast<uintptr_t>(memory) + kHugePage - 1) & ~uintptr_t(kHugePage - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(memory) + bytes) & ~uintptr_t(kHugePage - 1);
    if (end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
#else
    (void)memory;
    (void)bytes;
#endif
}

}  // namespace glb
