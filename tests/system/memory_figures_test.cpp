// The memory available to the process: Linux's figures read from their text,
// and the figure the program gets under an address-space limit of its own.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/AddressSanitizer.h"
#include "system/AvailableMemory.h"
#include "system/MemoryFigures.h"

using namespace memoryfigures;

TEST(MemoryFigures, ReadsKilobyteFieldsAsBytes) {
    const std::string meminfo = "MemTotal:       24683772 kB\n"
                                "MemFree:        22426340 kB\n"
                                "MemAvailable:   23823440 kB\n";
    EXPECT_EQ(kilobyteField(meminfo, "MemAvailable"), 23823440ull * 1024);
    EXPECT_EQ(kilobyteField(meminfo, "MemTotal"), 24683772ull * 1024);
    EXPECT_EQ(kilobyteField("VmSize:\t    3892 kB\nVmData:\t 412 kB", "VmData"), 412u * 1024);
    EXPECT_FALSE(kilobyteField(meminfo, "Mem"));
    EXPECT_FALSE(kilobyteField(meminfo, "SwapFree"));
    EXPECT_FALSE(kilobyteField("MemAvailable: lots\n", "MemAvailable"));
    EXPECT_FALSE(kilobyteField("", "MemAvailable"));
}

TEST(MemoryFigures, FindsTheProcessCgroupInEitherHierarchy) {
    const std::string both = "9:name=systemd:/\n"
                             "4:cpu,memory:/jobs/build\n"
                             "0::/user.slice/session-2.scope\n";
    EXPECT_EQ(cgroupPath(both, 2), "/user.slice/session-2.scope");
    EXPECT_EQ(cgroupPath(both, 1), "/jobs/build");
    EXPECT_FALSE(cgroupPath("4:memoryless:/x\n0:cpu:/y\n", 1));
    EXPECT_FALSE(cgroupPath("4:memoryless:/x\n0:cpu:/y\n", 2));
    EXPECT_FALSE(cgroupPath("", 2));
}

TEST(MemoryFigures, EveryGroupAboveTheProcessCountsUpToTheRoot) {
    EXPECT_EQ(pathAndParents("/a/b/c"), (std::vector<std::string>{"/a/b/c", "/a/b", "/a", "/"}));
    EXPECT_EQ(pathAndParents("/a/"), (std::vector<std::string>{"/a", "/"}));
    EXPECT_EQ(pathAndParents("/"), (std::vector<std::string>{"/"}));
    EXPECT_EQ(pathAndParents(""), (std::vector<std::string>{"/"}));
}

TEST(MemoryFigures, ACgroupLimitOfMaxLimitsNothing) {
    EXPECT_EQ(cgroupNumber("536870912\n"), 536870912u);
    EXPECT_FALSE(cgroupNumber("max\n"));
    EXPECT_FALSE(cgroupNumber(""));
    EXPECT_FALSE(cgroupNumber("-1"));
    EXPECT_EQ(remaining(100, 30), 70u);
    EXPECT_EQ(remaining(100, 130), 0u);
}

TEST(AvailableMemory, IsAtMostWhatAnAddressSpaceLimitLeaves) {
    if (builtWithAddressSanitizer)
        GTEST_SKIP() << "AddressSanitizer's reserved shadow memory is far beyond any limit";
    EXPECT_GT(availableMemoryBytes(), 0u);
    // In a child, so that the limit does not stay with the test program.
    const pid_t child = fork();
    if (child == 0) {
        const std::uint64_t limit = 512ull << 20;
        const rlimit addressSpace{limit, limit};
        const bool limited = setrlimit(RLIMIT_AS, &addressSpace) == 0;
        const std::uint64_t available = availableMemoryBytes();
        _exit(limited && available < limit && available > limit / 2 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}
