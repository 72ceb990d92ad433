// The lease pool the image filter keeps its scratch in: one object for each call at once, kept
// between calls, and an object of the call's own when every slot is held.
#include "common/lease_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>
#include <vector>

namespace {

struct Scratch {
    int uses = 0;
};

int IdleUses(LeasePool<Scratch, 2> &pool)
{
    int uses = 0;
    pool.ForEachIdle([&](const Scratch &scratch) { uses += scratch.uses; });
    return uses;
}

TEST(LeasePool, HeldObjectsAreDistinctAndKeptBetweenCalls)
{
    LeasePool<Scratch, 2> pool;
    const Scratch *first = nullptr;
    {
        auto a = pool.Take();
        auto b = pool.Take();
        auto own = pool.Take(); // both slots held: an object of the call's own
        EXPECT_NE(&*a, &*b);
        EXPECT_NE(&*own, &*a);
        EXPECT_NE(&*own, &*b);
        a->uses = 1;
        b->uses = 10;
        own->uses = 100;
        first = &*a;
        EXPECT_EQ(IdleUses(pool), 0); // every kept object is held
    }
    // The call's own object was not kept; the two slots were, with what their calls left.
    EXPECT_EQ(IdleUses(pool), 11);
    auto again = pool.Take();
    EXPECT_EQ(&*again, first);
    EXPECT_EQ(again->uses, 1);
    EXPECT_EQ(IdleUses(pool), 10);
}

// Calls on several threads at once never share an object: each marks its object while it holds it.
TEST(LeasePool, ConcurrentCallsNeverShareAnObject)
{
    LeasePool<std::atomic<int>, 3> pool;
    std::atomic<int> shared{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 6; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 2000; ++i) {
                auto lease = pool.Take();
                if (lease->fetch_add(1) != 0)
                    shared.fetch_add(1);
                lease->fetch_sub(1);
            }
        });
    for (std::thread &thread : threads)
        thread.join();
    EXPECT_EQ(shared.load(), 0);
}

} // namespace
