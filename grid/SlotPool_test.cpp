// The slot pool and its owners: slots handed out again, blocks released with
// the last slot, a raising constructor, and a list that destroys each object
// once whatever it did with it.
#include "grid/SlotPool.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

namespace ad::grid {
namespace {

// Counts the live objects; a negative id makes the constructor raise.
struct TTracked {
    static inline int Live = 0;
    explicit TTracked(int id) : Id(id) {
        if (id < 0) throw std::runtime_error("refused");
        ++Live;
    }
    ~TTracked() { --Live; }
    TTracked(const TTracked&) = delete;
    TTracked& operator=(const TTracked&) = delete;
    int Id;
    std::string Padding = std::string(40, 'x');  // owns memory ASan would see leak
};

std::string Ids(const TPooledList<TTracked>& list) {
    std::string out;
    for (TTracked* item : list) out += std::to_string(item->Id);
    return out;
}

TEST(SlotPoolTest, SlotsAreHandedOutAgainAndTheBlocksGoWithTheLast) {
    TSlotPool pool(sizeof(TTracked), alignof(TTracked));
    std::set<void*> slots;
    for (int k = 0; k < 1000; ++k) slots.insert(pool.Take());
    EXPECT_EQ(slots.size(), 1000u);
    EXPECT_GT(pool.BlockCount(), 1u);
    EXPECT_LT(pool.BlockCount(), 10u);  // blocks grow
    for (void* slot : slots) EXPECT_EQ(reinterpret_cast<std::uintptr_t>(slot) % alignof(TTracked), 0u);
    void* some = *slots.begin();
    pool.Give(some);
    EXPECT_EQ(pool.Take(), some);
    for (void* slot : slots) pool.Give(slot);
    EXPECT_EQ(pool.LiveCount(), 0u);
    EXPECT_EQ(pool.BlockCount(), 0u);
    // And it starts again from nothing.
    pool.Give(pool.Take());
    EXPECT_EQ(pool.BlockCount(), 0u);
}

TEST(SlotPoolTest, ARaisingConstructorGivesItsSlotBack) {
    TSlotPool pool(sizeof(TTracked), alignof(TTracked));
    TPooled<TTracked> kept = MakePooled<TTracked>(pool, 1);
    EXPECT_THROW(MakePooled<TTracked>(pool, -1), std::runtime_error);
    EXPECT_EQ(pool.LiveCount(), 1u);
    kept.Reset();
    EXPECT_EQ(pool.LiveCount(), 0u);
    EXPECT_EQ(TTracked::Live, 0);
}

TEST(SlotPoolTest, AListKeepsOrderAndDestroysEachObjectOnce) {
    TSlotPool pool(sizeof(TTracked), alignof(TTracked));
    auto filled = [&](int count) {
        TPooledList<TTracked> list(pool);
        for (int k = 0; k < count; ++k) list.Append(MakePooled<TTracked>(pool, k));
        return list;
    };
    struct Case {
        const char* name;
        void (*change)(TPooledList<TTracked>&, TSlotPool&);
        const char* expected;
    };
    const Case cases[] = {
        {"move down", [](auto& l, auto&) { l.Move(1, 4); }, "023415"},
        {"move up", [](auto& l, auto&) { l.Move(5, 0); }, "501234"},
        {"move in place", [](auto& l, auto&) { l.Move(2, 2); }, "012345"},
        {"swap", [](auto& l, auto&) { l.Swap(0, 5); }, "512340"},
        {"permute", [](auto& l, auto&) { l.Permute({5, 3, 1, 0, 2, 4}); }, "531024"},
        {"erase", [](auto& l, auto&) { l.Erase(2); }, "01345"},
        {"insert", [](auto& l, auto& p) { l.Insert(1, MakePooled<TTracked>(p, 9)); }, "0912345"},
        {"insert all",
         [](auto& l, auto& p) {
             TPooledList<TTracked> fresh(p);
             fresh.Append(MakePooled<TTracked>(p, 7));
             fresh.Append(MakePooled<TTracked>(p, 8));
             l.InsertAll(6, fresh);
             EXPECT_EQ(fresh.Size(), 0u);
         },
         "01234578"},
        {"clear", [](auto& l, auto&) { l.Clear(); }, ""},
        {"moved away", [](auto& l, auto&) { TPooledList<TTracked> other = std::move(l); }, ""},
    };
    for (const Case& c : cases) {
        {
            TPooledList<TTracked> list = filled(6);
            c.change(list, pool);
            EXPECT_EQ(Ids(list), c.expected) << c.name;
            EXPECT_EQ(TTracked::Live, static_cast<int>(list.Size())) << c.name;
        }
        EXPECT_EQ(TTracked::Live, 0) << c.name;
        EXPECT_EQ(pool.LiveCount(), 0u) << c.name;
    }
}

}  // namespace
}  // namespace ad::grid
