// Equal-sized slots for the objects the cell store makes by the thousand
// (cells and row records), carved from blocks that grow with the store: a row
// costs no memory allocation of its own. A slot given back is handed out
// again first; the blocks go when the last slot comes back. TPooled owns one
// object in a slot, TPooledList a list of them.
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace ad::grid {

class TSlotPool {
public:
    // Slots of at least Size bytes for objects aligned to at most Align.
    TSlotPool(std::size_t Size, std::size_t Align);
    TSlotPool(const TSlotPool&) = delete;
    TSlotPool& operator=(const TSlotPool&) = delete;

    void* Take();
    void Give(void* Slot) noexcept;
    // Slots handed out and not given back.
    std::size_t LiveCount() const { return live_; }
    std::size_t BlockCount() const { return blocks_.size(); }

private:
    struct TFreeSlot {
        TFreeSlot* Next;
    };

    std::size_t slotSize_;
    std::vector<std::unique_ptr<std::byte[]>> blocks_;
    std::byte* next_ = nullptr;  // the newest block's first slot never handed out
    std::byte* end_ = nullptr;
    TFreeSlot* free_ = nullptr;
    std::size_t live_ = 0;
};

// The slot an object of a pool takes: a polymorphic object's most derived
// object starts it.
template <class T>
void DestroyInPool(T* object, TSlotPool& pool) noexcept {
    void* slot;
    if constexpr (std::is_polymorphic_v<T>) slot = dynamic_cast<void*>(object);
    else slot = object;
    object->~T();
    pool.Give(slot);
}

// One object in a slot of a pool, until it is destroyed or a list takes it.
template <class T>
class TPooled {
public:
    TPooled() = default;
    TPooled(T* object, TSlotPool& pool) : object_(object), pool_(&pool) {}
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    TPooled(TPooled<U>&& other) noexcept : object_(other.Get()), pool_(other.Pool()) {
        other.Release();
    }
    TPooled(TPooled&& other) noexcept : object_(other.object_), pool_(other.pool_) { other.object_ = nullptr; }
    TPooled& operator=(TPooled&& other) noexcept {
        if (this != &other) {
            Reset();
            object_ = std::exchange(other.object_, nullptr);
            pool_ = other.pool_;
        }
        return *this;
    }
    ~TPooled() { Reset(); }

    T* Get() const { return object_; }
    T* operator->() const { return object_; }
    T& operator*() const { return *object_; }
    TSlotPool* Pool() const { return pool_; }
    // Gives up the object without destroying it.
    T* Release() { return std::exchange(object_, nullptr); }
    void Reset() {
        if (object_) DestroyInPool(std::exchange(object_, nullptr), *pool_);
    }

private:
    T* object_ = nullptr;
    TSlotPool* pool_ = nullptr;
};

// A T made in a slot of the pool; the slot goes back when the constructor
// raises.
template <class T, class... Args>
TPooled<T> MakePooled(TSlotPool& pool, Args&&... args) {
    static_assert(alignof(T) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);
    void* slot = pool.Take();
    try {
        return TPooled<T>(new (slot) T(std::forward<Args>(args)...), pool);
    } catch (...) {
        pool.Give(slot);
        throw;
    }
}

// A list that owns objects of one pool, by position.
template <class T>
class TPooledList {
public:
    explicit TPooledList(TSlotPool& pool) : pool_(&pool) {}
    TPooledList(TPooledList&& other) noexcept : pool_(other.pool_), items_(std::exchange(other.items_, {})) {}
    TPooledList& operator=(TPooledList&& other) noexcept {
        if (this != &other) {
            Clear();
            pool_ = other.pool_;
            items_ = std::exchange(other.items_, {});
        }
        return *this;
    }
    ~TPooledList() { Clear(); }

    std::size_t Size() const { return items_.size(); }
    T* operator[](std::size_t index) const { return items_[index]; }
    auto begin() const { return items_.cbegin(); }
    auto end() const { return items_.cend(); }

    void Reserve(std::size_t count) { items_.reserve(count); }
    void Append(TPooled<T> item) {
        items_.push_back(item.Get());
        item.Release();
    }
    void Insert(std::size_t pos, TPooled<T> item) {
        items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(pos), item.Get());
        item.Release();
    }
    // Takes every item of Fresh, in order, to stand from pos on.
    void InsertAll(std::size_t pos, TPooledList& fresh) {
        items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(pos), fresh.items_.begin(), fresh.items_.end());
        fresh.items_.clear();
    }
    void Erase(std::size_t pos) {
        T* item = items_[pos];
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(pos));
        DestroyInPool(item, *pool_);
    }
    void Clear() noexcept {
        for (T* item : items_) DestroyInPool(item, *pool_);
        items_.clear();
    }
    void Swap(std::size_t a, std::size_t b) { std::swap(items_[a], items_[b]); }
    // The item at From moves to To; the ones between close up.
    void Move(std::size_t from, std::size_t to) {
        auto at = [&](std::size_t k) { return items_.begin() + static_cast<std::ptrdiff_t>(k); };
        if (from < to) std::rotate(at(from), at(from + 1), at(to + 1));
        else if (to < from) std::rotate(at(to), at(from), at(from + 1));
    }
    // Item k becomes the one at Order[k]; Order is a permutation.
    void Permute(const std::vector<int>& order) {
        std::vector<T*> next;
        next.reserve(items_.size());
        for (int from : order) next.push_back(items_[static_cast<std::size_t>(from)]);
        items_.swap(next);
    }

private:
    TSlotPool* pool_;
    std::vector<T*> items_;
};

}  // namespace ad::grid
