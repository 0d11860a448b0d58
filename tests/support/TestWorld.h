#pragma once
// A World built from configuration text for one test, installed as theWorld
// for the test's lifetime, with helpers to set up boards by hand.
#include <boost/make_shared.hpp>
#include <memory>
#include <string>

#include "behaviour/HuntingAI.h"
#include "behaviour/StrollingAI.h"
#include "core/World.h"
#include "support/ScratchFolder.h"

class TestWorld {
public:
    explicit TestWorld(const std::string& configText);
    ~TestWorld();
    TestWorld(const TestWorld&) = delete;
    TestWorld& operator=(const TestWorld&) = delete;

    World& operator*() { return *world; }
    World* operator->() { return world.get(); }

    // Puts a new object of the kind, with its usual behaviour, into cell (x, y).
    GameObjectPtr putPrey(int x, int y);
    GameObjectPtr putPredator(int x, int y);
    GameObjectPtr putObstacle(int x, int y);

private:
    std::unique_ptr<World> world;
    World* previous;
};

// The settings that configuration text holds, read from a file holding it.
Config settingsFromText(const std::string& text);

// The rand() results that the next `count` draws would give after srand(seed).
std::vector<int> drawsAfterSeed(unsigned seed, int count);

// A seed after which the first draws modulo 3 are the given remainders, so a
// strolling prey takes a chosen step: remainder 0, 1, 2 give offset -1, 0, +1.
unsigned seedForRemainders(const std::vector<int>& remainders);
