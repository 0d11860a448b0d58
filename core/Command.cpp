#include "core/Command.h"

#include "core/GameObject.h"
#include "core/World.h"

Movement::Movement(GameObjectPtr mover, std::int32_t x0, std::int32_t y0, std::int32_t x1,
                   std::int32_t y1)
    : subject(std::move(mover)), fromX(x0), fromY(y0), toX(x1), toY(y1) {}

void Movement::execute() { theWorld->grid.move(toX, toY, subject); }

Eat::Eat(GameObjectPtr prey) : target(std::move(prey)) {}

void Eat::execute() {
    target->eaten = true;
    // The turn visits the obstacles it is told of to remove the eaten, not all of them.
    if (theWorld != nullptr)
        theWorld->schedule.noteEaten(*target);
}
