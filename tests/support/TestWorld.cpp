#include "support/TestWorld.h"

#include <cstdlib>

TestWorld::TestWorld(const std::string& configText) : previous(theWorld) {
    const TempFile file(configText);
    world = std::make_unique<World>(file.path());
    theWorld = world.get();
}

TestWorld::~TestWorld() {
    theWorld = previous;
}

GameObjectPtr TestWorld::putPrey(int x, int y) {
    GameObjectPtr prey = boost::make_shared<Prey>(boost::make_shared<StrollingAI>());
    world->grid.put(prey, x, y);
    return prey;
}

GameObjectPtr TestWorld::putPredator(int x, int y) {
    GameObjectPtr predator = boost::make_shared<Predator>(boost::make_shared<HuntingAI>());
    world->grid.put(predator, x, y);
    return predator;
}

GameObjectPtr TestWorld::putObstacle(int x, int y) {
    GameObjectPtr obstacle = boost::make_shared<Obstacle>(boost::make_shared<NothingAI>());
    world->grid.put(obstacle, x, y);
    return obstacle;
}

Config settingsFromText(const std::string& text) {
    const TempFile file(text);
    return Config::load(file.path());
}

std::vector<int> drawsAfterSeed(unsigned seed, int count) {
    std::srand(seed);
    std::vector<int> draws;
    for (int i = 0; i < count; ++i)
        draws.push_back(std::rand());
    std::srand(seed);
    return draws;
}

unsigned seedForRemainders(const std::vector<int>& remainders) {
    for (unsigned seed = 1;; ++seed) {
        std::srand(seed);
        bool fits = true;
        for (int remainder : remainders)
            fits = fits && std::rand() % 3 == remainder;
        if (fits) {
            std::srand(seed);
            return seed;
        }
    }
}
