#pragma once
// The decisions of a turn, carried out only after every object has had its tick,
// in the order in which they were issued.
#include <cstdint>

#include "core/Handles.h"

class Command {
public:
    virtual ~Command() = default;
    virtual void execute() = 0;
};

// One step of a creature to a neighbouring cell that was empty when it decided.
class Movement : public Command {
public:
    Movement(GameObjectPtr subject, std::int32_t fromX, std::int32_t fromY, std::int32_t toX,
             std::int32_t toY);
    // Moves the subject from wherever it stands now; fromX and fromY are only
    // there to be heard next turn.
    void execute() override;

    GameObjectPtr subject;
    std::int32_t fromX;
    std::int32_t fromY;
    std::int32_t toX;
    std::int32_t toY;
};

// Marks an object as eaten; it leaves the grid at the end of the turn.
class Eat : public Command {
public:
    explicit Eat(GameObjectPtr target);
    void execute() override;

    GameObjectPtr target;
};
