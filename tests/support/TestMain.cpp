// The main of every test program that links the test support: the set-up and
// every turn of each World it builds, however it plays it (a TestWorld, the
// text front end or a sweep in the test's own process), end by checking the
// grid's invariants, in every build type.
#include <gtest/gtest.h>

#include "core/World.h"

int main(int argc, char** argv) {
    World::checkingInvariants = true;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
