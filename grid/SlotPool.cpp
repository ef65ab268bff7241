// The slot pool: blocks that double up to a limit, a free list of given-back
// slots, and every block released when the last slot comes back.
#include "grid/SlotPool.h"

namespace ad::grid {

namespace {

constexpr std::size_t FirstBlockSlots = 32;
constexpr std::size_t LargestBlockBytes = 1u << 20;

}  // namespace

TSlotPool::TSlotPool(std::size_t Size, std::size_t Align) {
    std::size_t align = std::max(Align, alignof(TFreeSlot));
    slotSize_ = (std::max(Size, sizeof(TFreeSlot)) + align - 1) / align * align;
}

void* TSlotPool::Take() {
    void* slot;
    if (free_) {
        slot = free_;
        free_ = free_->Next;
    } else {
        if (next_ == end_) {
            std::size_t slots = blocks_.empty() ? FirstBlockSlots : (end_ - blocks_.back().get()) / slotSize_ * 2;
            slots = std::max<std::size_t>(std::min(slots, LargestBlockBytes / slotSize_), 1);
            blocks_.push_back(std::make_unique_for_overwrite<std::byte[]>(slots * slotSize_));
            next_ = blocks_.back().get();
            end_ = next_ + slots * slotSize_;
        }
        slot = next_;
        next_ += slotSize_;
    }
    ++live_;
    return slot;
}

void TSlotPool::Give(void* Slot) noexcept {
    if (--live_ == 0) {
        // All back: the memory goes too (a cleared grid keeps none of it).
        blocks_.clear();
        next_ = end_ = nullptr;
        free_ = nullptr;
        return;
    }
    free_ = ::new (Slot) TFreeSlot{free_};
}

}  // namespace ad::grid
