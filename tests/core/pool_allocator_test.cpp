#include "core/PoolAllocator.h"

#include <gtest/gtest.h>
#include <set>
#include <vector>

#include "core/AddressSanitizer.h"

namespace {

struct Counted {
    explicit Counted(int v) : value(v) { ++alive; }
    ~Counted() { --alive; }
    Counted(const Counted&) = delete;
    Counted& operator=(const Counted&) = delete;
    int value;
    static int alive;
};
int Counted::alive = 0;

} // namespace

TEST(PoolAllocator, MakesAnObjectThatLivesAsLongAsItsLastHandle) {
    boost::shared_ptr<Counted> first = makePooled<Counted>(7);
    EXPECT_EQ(first->value, 7);
    EXPECT_EQ(Counted::alive, 1);
    boost::shared_ptr<Counted> second = first;
    first.reset();
    EXPECT_EQ(Counted::alive, 1);
    second.reset();
    EXPECT_EQ(Counted::alive, 0);
}

TEST(PoolAllocator, GivesEveryLiveObjectABlockOfItsOwn) {
    std::vector<boost::shared_ptr<Counted>> objects;
    std::set<const Counted*> addresses;
    for (int i = 0; i < 20000; ++i) {
        objects.push_back(makePooled<Counted>(i));
        addresses.insert(objects.back().get());
    }
    EXPECT_EQ(addresses.size(), objects.size());
    for (int i = 0; i < 20000; ++i)
        EXPECT_EQ(objects[static_cast<std::size_t>(i)]->value, i);
    objects.clear();
    EXPECT_EQ(Counted::alive, 0);
}

TEST(PoolAllocator, HandsAReleasedBlockOutAgain) {
    if (builtWithAddressSanitizer)
        GTEST_SKIP() << "blocks come from operator new under AddressSanitizer";
    for (PoolName name : {PoolName::commands, PoolName::objects}) {
        void* block = pool::allocate(40, name);
        pool::deallocate(block, 40, name);
        EXPECT_EQ(pool::allocate(40, name), block);
        pool::deallocate(block, 40, name);
    }
}

TEST(PoolAllocator, KeepsTheObjectsApartFromTheCommands) {
    if (builtWithAddressSanitizer)
        GTEST_SKIP() << "blocks come from operator new under AddressSanitizer";
    // A command made between two objects does not come between them (a size no
    // other test releases; a new chunk may begin between the two objects, but
    // not between each of two pairs).
    char* objects[4];
    for (char*& object : objects) {
        object = static_cast<char*>(pool::allocate(216, PoolName::objects));
        pool::deallocate(pool::allocate(216, PoolName::commands), 216, PoolName::commands);
    }
    EXPECT_TRUE(objects[1] == objects[0] + 224 || objects[3] == objects[2] + 224);
    for (char* object : objects)
        pool::deallocate(object, 216, PoolName::objects);
}

TEST(PoolAllocator, LaysBlocksMadeInARowSideBySide) {
    if (builtWithAddressSanitizer)
        GTEST_SKIP() << "blocks come from operator new under AddressSanitizer";
    // A size that no other test releases, so that no free block gets in between.
    // A new chunk may begin between two of the blocks, but not twice in a row.
    auto* first = static_cast<char*>(pool::allocate(232));
    auto* second = static_cast<char*>(pool::allocate(232));
    auto* third = static_cast<char*>(pool::allocate(232));
    EXPECT_TRUE(second == first + 240 || third == second + 240);
    pool::deallocate(first, 232);
    pool::deallocate(second, 232);
    pool::deallocate(third, 232);
}
