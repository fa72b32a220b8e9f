#include "memory/large_memory.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace glb {

namespace {

#if defined(__linux__)
constexpr size_t kHugePage = size_t(2) << 20;
constexpr size_t kLargeBlock = size_t(4) << 20;  // below this, ordinary pages cost little
#endif

// Blocks smaller than this come from the heap, which keeps them well enough itself.
constexpr size_t kKeptMinimum = size_t(1) << 20;

// A kept block's size: the request rounded up to one of eight sizes per doubling,
// so that a call a little larger than the last still finds its blocks.
size_t kept_size(size_t bytes) {
    size_t step = size_t(1) << 16;
    while (step < bytes / 8) step <<= 1;
    return bytes > SIZE_MAX - step ? bytes : (bytes + step - 1) / step * step;
}

// The reserve of this thread's session, if it holds one.
thread_local ScratchReserve* current_reserve = nullptr;
// Sessions open on this thread, whether or not they hold a reserve.
thread_local unsigned open_sessions = 0;

}  // namespace

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

ScratchReserve::~ScratchReserve() {
    for (const Block& block : blocks_) std::free(block.memory);
}

void ScratchReserve::free_block(size_t index) noexcept {
    std::free(blocks_[index].memory);
    blocks_.erase(blocks_.begin() + std::ptrdiff_t(index));
}

size_t ScratchReserve::release() noexcept {
    const std::lock_guard<std::mutex> lock(mutex_);
    size_t freed = 0;
    for (size_t i = blocks_.size(); i-- > 0;) {
        if (blocks_[i].in_use) {
            blocks_[i].discard = true;
        } else {
            freed += blocks_[i].bytes;
            free_block(i);
        }
    }
    return freed;
}

size_t ScratchReserve::held_bytes() const noexcept {
    const std::lock_guard<std::mutex> lock(mutex_);
    size_t held = 0;
    for (const Block& block : blocks_) held += block.bytes;
    return held;
}

void* ScratchReserve::take(size_t bytes) noexcept {
    const std::lock_guard<std::mutex> lock(mutex_);
    // The smallest idle block that fits, if it is not much larger: a small call
    // must not hold on to a large call's block beyond the bound of its own need.
    const size_t size = kept_size(bytes);
    size_t best = blocks_.size();
    for (size_t i = 0; i < blocks_.size(); ++i) {
        const Block& block = blocks_[i];
        if (!block.in_use && block.bytes >= bytes && block.bytes <= size + size / 4 &&
            (best == blocks_.size() || block.bytes < blocks_[best].bytes))
            best = i;
    }
    if (best == blocks_.size()) {
        try {
            blocks_.reserve(blocks_.size() + 1);  // before the memory, so that nothing leaks
        } catch (...) {
            return nullptr;
        }
        // Plain pages: kept memory is faulted in once, and on a virtual machine a
        // fresh 2 MiB page costs far more to obtain than the 4 KiB pages it
        // replaces; reused, huge pages measured no faster.
        void* memory = std::malloc(size);
        if (memory == nullptr) return nullptr;
        blocks_.push_back(Block{memory, size, false, false, 0});
        best = blocks_.size() - 1;
    }
    Block& block = blocks_[best];
    block.in_use = true;
    block.last_call = call_;
    in_use_bytes_ += block.bytes;
    call_peak_ = std::max(call_peak_, in_use_bytes_);
    return block.memory;
}

void ScratchReserve::give_back(void* memory) noexcept {
    const std::lock_guard<std::mutex> lock(mutex_);
    for (size_t i = 0; i < blocks_.size(); ++i) {
        if (blocks_[i].memory != memory) continue;
        in_use_bytes_ -= blocks_[i].bytes;
        blocks_[i].in_use = false;
        if (blocks_[i].discard) free_block(i);
        return;
    }
    std::free(memory);  // not ours (cannot happen): the heap's
}

// Keeps no more than the largest of the last four calls needed at once: the
// blocks that those calls used, the least recently used freed first.
void ScratchReserve::end_call() noexcept {
    const std::lock_guard<std::mutex> lock(mutex_);
    constexpr size_t kCalls = sizeof recent_peaks_ / sizeof recent_peaks_[0];
    recent_peaks_[call_ % kCalls] = call_peak_;
    const size_t bound = *std::max_element(recent_peaks_, recent_peaks_ + kCalls);
    size_t held = 0;
    for (size_t i = blocks_.size(); i-- > 0;) {
        if (!blocks_[i].in_use && blocks_[i].last_call + kCalls <= call_) {
            free_block(i);
        } else {
            held += blocks_[i].bytes;
        }
    }
    while (held > bound) {
        size_t oldest = blocks_.size();
        for (size_t i = 0; i < blocks_.size(); ++i) {
            const Block& block = blocks_[i];
            if (block.in_use) continue;
            if (oldest == blocks_.size() || block.last_call < blocks_[oldest].last_call ||
                (block.last_call == blocks_[oldest].last_call && block.bytes > blocks_[oldest].bytes))
                oldest = i;
        }
        if (oldest == blocks_.size()) break;  // only blocks in use are left
        held -= blocks_[oldest].bytes;
        free_block(oldest);
    }
    ++call_;
    call_peak_ = in_use_bytes_;
}

ScratchSession::ScratchSession(ScratchReserve* reserve) noexcept : outer_(current_reserve) {
    ++open_sessions;
    if (reserve != nullptr && !reserve->busy_.exchange(true, std::memory_order_acquire)) {
        reserve_ = reserve;
        current_reserve = reserve;
    }
}

ScratchSession::~ScratchSession() {
    --open_sessions;
    if (reserve_ == nullptr) return;
    reserve_->end_call();
    current_reserve = outer_;
    reserve_->busy_.store(false, std::memory_order_release);
}

namespace {

// Created at first need and never destroyed: calls may still run while the process exits.
ScratchReserve* process_reserve() noexcept {
    static ScratchReserve* const reserve = new (std::nothrow) ScratchReserve;
    return reserve;
}

}  // namespace

ProcessScratchSession::ProcessScratchSession() noexcept
    : session_(open_sessions == 0 ? process_reserve() : nullptr) {}

void* take_scratch(size_t bytes, ScratchReserve** reserve) noexcept {
    ScratchReserve* from = current_reserve;
    if (from == nullptr || bytes < kKeptMinimum) {
        *reserve = nullptr;
        return allocate_large(bytes);
    }
    *reserve = from;
    return from->take(bytes);
}

ScratchArray<uint8_t> allocate_input_copy(size_t bytes) {
    ScratchReserve* reserve = nullptr;
    void* memory = current_reserve != nullptr ? take_scratch(bytes, &reserve) : std::malloc(bytes == 0 ? 1 : bytes);
    if (memory == nullptr) throw std::bad_alloc();
    return ScratchArray<uint8_t>(static_cast<uint8_t*>(memory), ScratchRelease{reserve});
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
