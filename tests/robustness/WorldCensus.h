#pragma once
// Weak references to everything a World has held, so that a test can tell
// whether any object, behaviour or command outlived what should own it.
#include <boost/weak_ptr.hpp>
#include <cstdint>
#include <string>
#include <vector>

#include "core/World.h"

class WorldCensus {
public:
    // Notes every object on the grid, its behaviour, and every listed command.
    // Objects are only ever made at set-up, so one take then notes them all.
    void take(const World& world);
    // Notes only the commands of the last turn: what a turn adds.
    void takeCommands(const World& world);

    // How many of the noted things are still alive.
    std::size_t alive() const;

    // Empty when every live object stands in its own cell or is named by a
    // command of the last turn; otherwise what is wrong.
    static std::string ownershipFault(const World& world, const WorldCensus& census);

    // Empty when the board and the command lists are as a finished turn leaves
    // them; otherwise what is wrong.
    static std::string turnFault(const World& world);

private:
    std::vector<boost::weak_ptr<GameObject>> objects;
    std::vector<boost::weak_ptr<GameAI>> behaviours;
    std::vector<boost::weak_ptr<Command>> commands;
};

// Builds the World of the configuration file, starting from the draws of a fresh
// process (glibc's unseeded sequence is the one of seed 1) so that a finding
// replays alone; plays up to `turns` turns with the board and the ownership
// checked after each; destroys it and checks that everything it held is gone.
// Returns what went wrong, or "".
std::string playAndCheck(const std::string& configFile, std::uint32_t turns);
