#include "core/HugePageMemory.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

#include "core/AddressSanitizer.h"
#include "core/Command.h"
#include "core/Grid.h"
#include "core/PoolAllocator.h"

#ifdef __linux__
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

constexpr std::size_t region = HugePageMemory::regionBytes;

bool alignedToARegion(const void* block) { return reinterpret_cast<std::uintptr_t>(block) % region == 0; }

// The kernel's flags of the mapping that holds the address ("hg": huge pages
// asked for), from /proc/self/smaps; empty where there is no such file.
std::string mappingFlags(const void* address) {
    std::ifstream smaps("/proc/self/smaps");
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    bool inside = false;
    for (std::string line; std::getline(smaps, line);) {
        std::uintptr_t start = 0, end = 0;
        char dash = 0;
        std::istringstream header(line);
        if (header >> std::hex >> start >> dash >> end && dash == '-')
            inside = start <= at && at < end;
        else if (inside && line.rfind("VmFlags:", 0) == 0)
            return line.substr(8) + " ";
    }
    return "";
}

bool hugePagesAsked(const void* address) { return mappingFlags(address).find(" hg ") != std::string::npos; }

bool refuse(void*, std::size_t) noexcept { return false; }

} // namespace

TEST(HugePageMemory, RoundsEveryRequestUpToWholeRegions) {
    const struct {
        std::size_t bytes, regionBytes;
    } cases[] = {{0, region},       {1, region},         {region - 1, region}, {region, region},
                 {region + 1, 2 * region}, {5 * region / 2, 3 * region}, {SIZE_MAX, 0},
                 {SIZE_MAX - region + 2, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(HugePageMemory::roundedUp(c.bytes), c.regionBytes) << c.bytes;
}

TEST(HugePageMemory, ServesRegionsAlignedWritableAndZeroFilledWithOrWithoutAdvice) {
    // Advice refused, as where the system has no huge pages: the region serves all the same.
    for (const HugePageMemory::Adviser advise :
         std::initializer_list<HugePageMemory::Adviser>{&HugePageMemory::askForHugePages, &refuse}) {
        for (std::size_t bytes : {std::size_t{1}, region, 3 * region + 5}) {
            auto* block = static_cast<unsigned char*>(HugePageMemory::obtain(bytes, advise));
            if (HugePageMemory::mapsRegions()) {
                EXPECT_TRUE(alignedToARegion(block)) << bytes;
                EXPECT_EQ(block[0] | block[bytes - 1], 0) << bytes;
            }
            std::memset(block, 0xA5, HugePageMemory::roundedUp(bytes));
            EXPECT_EQ(block[HugePageMemory::roundedUp(bytes) - 1], 0xA5);
            HugePageMemory::giveBack(block, bytes);
        }
    }
}

TEST(HugePageMemory, AsksForHugePagesWhereTheSystemHasTheCall) {
    if (!HugePageMemory::mapsRegions() || mappingFlags(&region).empty())
        GTEST_SKIP() << "no huge pages to ask for, or no /proc/self/smaps to see it";
    void* advised = HugePageMemory::obtain(region);
    void* refused = HugePageMemory::obtain(region, &refuse);
    EXPECT_TRUE(hugePagesAsked(advised));
    EXPECT_FALSE(hugePagesAsked(refused));
    HugePageMemory::giveBack(advised, region);
    HugePageMemory::giveBack(refused, region);
}

TEST(HugePageMemory, GivesARegionBackToTheSystem) {
    if (!HugePageMemory::mapsRegions() || mappingFlags(&region).empty())
        GTEST_SKIP() << "regions are blocks of operator new here";
    const std::size_t bytes = 64 * region + 1;
    void* block = HugePageMemory::obtain(bytes);
    EXPECT_FALSE(mappingFlags(block).empty());
    HugePageMemory::giveBack(block, bytes);
    EXPECT_TRUE(mappingFlags(block).empty());
    EXPECT_TRUE(mappingFlags(static_cast<char*>(block) + 64 * region).empty());
}

TEST(HugePageMemory, ASizeBeyondAnyMemoryGivesBadAlloc) {
    for (std::size_t bytes : {SIZE_MAX, SIZE_MAX / 2, SIZE_MAX - region + 2})
        EXPECT_THROW(HugePageMemory::obtain(bytes), std::bad_alloc) << bytes;
    EXPECT_THROW(HugePageAllocator<GameObjectPtr>().allocate(SIZE_MAX / 8), std::bad_alloc);
}

#ifdef __linux__
// Under an address-space limit a little above what the process takes: a region
// that fits only without the room to align it is still served; one that does
// not fit gives std::bad_alloc, as operator new would.
TEST(HugePageMemory, RunningOutOfAddressSpaceGivesBadAllocAndAnAlignedRegionIsNotNeeded) {
    if (builtWithAddressSanitizer || !HugePageMemory::mapsRegions())
        GTEST_SKIP() << "no address-space limit under the sanitizer, or no mapped regions";
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::ifstream statm("/proc/self/statm");
        std::size_t pages = 0;
        statm >> pages;
        const std::size_t taken = pages * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
        const rlimit limit{taken + 5 * region, taken + 5 * region};
        if (setrlimit(RLIMIT_AS, &limit) != 0)
            _exit(10);
        int outcome = 0;
        try {
            HugePageMemory::giveBack(HugePageMemory::obtain(4 * region + 1), 4 * region + 1);
        } catch (const std::bad_alloc&) {
            outcome |= 1; // the region that fits was refused
        }
        try {
            HugePageMemory::obtain(8 * region);
            outcome |= 2; // served beyond the limit
        } catch (const std::bad_alloc&) {
        }
        _exit(outcome);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
#endif

TEST(HugePageAllocator, GivesLargeArraysRegionsAndSmallOnesOperatorNew) {
    const struct {
        std::size_t cells;
        bool regionOfItsOwn;
    } cases[] = {{1, false}, {region / 2 / sizeof(GameObjectPtr) - 1, false},
                 {region / 2 / sizeof(GameObjectPtr), true}, {1000 * 1000, true}};
    for (const auto& c : cases) {
        EXPECT_EQ(HugePageMemory::worthARegion(c.cells * sizeof(GameObjectPtr)),
                  c.regionOfItsOwn && !builtWithAddressSanitizer)
            << c.cells;
        std::vector<GameObjectPtr, HugePageAllocator<GameObjectPtr>> cells(c.cells);
        EXPECT_FALSE(cells.back());
        if (HugePageMemory::mapsRegions() && HugePageMemory::worthARegion(c.cells * sizeof(GameObjectPtr))) {
            EXPECT_TRUE(alignedToARegion(cells.data())) << c.cells;
        }
    }
}

TEST(HugePageMemory, HoldsTheCellsAndObjectsOfABigWorld) {
    if (builtWithAddressSanitizer || !HugePageMemory::mapsRegions() || mappingFlags(&region).empty())
        GTEST_SKIP() << "every block comes from operator new here";
    std::srand(1);
    Grid grid(1000, 1000, 100);
    EXPECT_TRUE(alignedToARegion(&grid.at(0, 0)));
    EXPECT_TRUE(hugePagesAsked(&grid.at(999, 999)));
    for (const GameObjectPtr& object : {grid.get(0, 0), grid.get(999, 999)}) {
        EXPECT_TRUE(hugePagesAsked(object.get()));
        EXPECT_TRUE(hugePagesAsked(object->ai.get()));
    }
    const CommandPtr command = makePooled<Eat>(grid.get(0, 0));
    EXPECT_TRUE(hugePagesAsked(command.get()));
}
