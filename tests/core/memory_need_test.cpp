// The estimate of a world's memory, and the refusal of a world that needs more
// than is available: before the grid is built, without a random draw, and in
// the same words for every front end.
#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>

#include "core/Config.h"
#include "core/MemoryNeed.h"
#include "core/StartupRefusal.h"
#include "core/World.h"
#include "support/TestWorld.h"

namespace {

// The figures below are worked out by hand from the documented estimate, for
// 64-bit systems: a cell takes 17 bytes, an object 200, an acting creature 160.
static_assert(sizeof(void*) == 8, "the expected figures are those of 64-bit systems");
constexpr std::uint64_t saturated = std::numeric_limits<std::uint64_t>::max();

struct NeedCase {
    const char* what;
    const char* settings;
    std::uint64_t need;
};

} // namespace

TEST(MemoryNeed, CountsCellsObjectsAndActingCreaturesAsDocumented) {
    const NeedCase cases[] = {
        {"no settings", "", 0},
        {"a side below 1", "grid.x -5\ngrid.y 10\nprey.number 3\n", 0},
        {"no rows however many columns", "grid.x 2147483647\ngrid.y 0\n", 0},
        {"empty cells", "grid.x 4\ngrid.y 3\n", 204},
        {"obstacles by density, rounded down", "grid.x 10\ngrid.y 3\nobstacle.density 25\n",
         510 + 1400},
        {"density past 100 fills every cell",
         "grid.x 5\ngrid.y 4\nobstacle.density 2147483647\n"
         "prey.number 9\n",
         340 + 4000},
        {"negative density and counts",
         "grid.x 5\ngrid.y 4\nobstacle.density -3\n"
         "prey.number -2147483648\npredator.number -1\n",
         340},
        {"creatures that never act", "grid.x 10\ngrid.y 10\nprey.number 20\npredator.number 3\n",
         1700 + 4600},
        {"only kinds with a positive reaction time act",
         "grid.x 10\ngrid.y 10\nprey.number 20\npredator.number 3\npredator.reaction_time 2\n"
         "prey.reaction_time -1\n",
         1700 + 4600 + 480},
        {"prey fill what the obstacles leave, predators what the prey leave",
         "grid.x 10\ngrid.y 10\nobstacle.density 30\nprey.number 2147483647\n"
         "predator.number 5\nprey.reaction_time 1\npredator.reaction_time 1\n",
         1700 + 20000 + 11200},
        {"the largest grid saturates", "grid.x 2147483647\ngrid.y 2147483647\n", saturated},
    };
    for (const NeedCase& c : cases)
        EXPECT_EQ(estimatedMemoryNeed(settingsFromText(c.settings)), c.need) << c.what;
}

TEST(MemoryNeed, AThreeThousandSquareGridFullOfPreyNeedsAboutOnePointEightGigabytes) {
    const std::uint64_t need =
        estimatedMemoryNeed(settingsFromText("grid.x 3000\ngrid.y 3000\nprey.number 2147483647\n"));
    EXPECT_EQ(need, 1'953'000'000u);
    EXPECT_EQ(megabytesRoundedUp(need), 1863u);
}

TEST(MemoryNeed, MegabytesRoundUpForANeedAndDownForWhatIsAvailable) {
    EXPECT_EQ(megabytesRoundedUp(0), 0u);
    EXPECT_EQ(megabytesRoundedUp(1), 1u);
    EXPECT_EQ(megabytesRoundedUp(1 << 20), 1u);
    EXPECT_EQ(megabytesRoundedUp((1 << 20) + 1), 2u);
    EXPECT_EQ(megabytesRoundedUp(saturated), std::uint64_t{1} << 44);
    EXPECT_EQ(megabytesRoundedDown((1 << 20) - 1), 0u);
    EXPECT_EQ(megabytesRoundedDown(3 << 20), 3u);
}

TEST(MemoryRefusal, AWorldNeedingMoreThanIsAvailableIsRefusedBeforeAnyDraw) {
    const std::string text = "grid.x 1000\ngrid.y 1000\nobstacle.density 50\nprey.number 10\n";
    const std::uint64_t need = estimatedMemoryNeed(settingsFromText(text));
    const std::vector<int> draws = drawsAfterSeed(5, 1);
    World world(settingsFromText(text), need - 1);
    EXPECT_EQ(world.grid.width, 0);
    EXPECT_EQ(world.grid.height, 0);
    EXPECT_EQ(world.grid.emptyCells(), 0);
    EXPECT_EQ(std::rand(), draws[0]) << "a refused world makes no draw";
    EXPECT_FALSE(world.gridTooLarge());
    ASSERT_TRUE(world.memoryShortfall());
    EXPECT_EQ(world.memoryShortfall()->neededBytes, need);
    EXPECT_EQ(world.memoryShortfall()->availableBytes, need - 1);
}

TEST(MemoryRefusal, AWorldNeedingExactlyWhatIsAvailableIsBuilt) {
    const std::string text = "grid.x 30\ngrid.y 20\nprey.number 10\nprey.reaction_time 1\n";
    World world(settingsFromText(text), estimatedMemoryNeed(settingsFromText(text)));
    EXPECT_EQ(world.grid.width, 30);
    EXPECT_FALSE(world.memoryShortfall());
    EXPECT_EQ(world.grid.objects().size(), 10u);
}

TEST(MemoryRefusal, AGridPastWhatTheIndexesHoldIsTooLargeNotShortOfMemory) {
    World world(settingsFromText("grid.x 65536\ngrid.y 65536\n"), 1000);
    EXPECT_TRUE(world.gridTooLarge());
    EXPECT_FALSE(world.memoryShortfall());
    World noGrid(settingsFromText("grid.x 0\ngrid.y 2147483647\n"), 0);
    EXPECT_FALSE(noGrid.memoryShortfall()) << "a grid without cells needs nothing";
}

TEST(MemoryRefusal, EveryFrontEndSaysItInTheSameWords) {
    World world(settingsFromText("grid.x 3000\ngrid.y 3000\nprey.number 2147483647\n"),
                (600u << 20) + 12345);
    EXPECT_EQ(startupRefusal(world, "my.config"),
              "Not enough memory for this world: it needs about 1863 MB, and 600 MB are "
              "available (my.config).");
    EXPECT_EQ(outOfMemoryMessage("my.config"), "Not enough memory for this world (my.config).");
}
