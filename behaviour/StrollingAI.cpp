#include "behaviour/StrollingAI.h"

#include <cstdlib>

#include "behaviour/MoveBy.h"

void StrollingAI::act(GameObjectPtr self) {
    // The row offset is drawn first: the order of draws decides the whole game.
    const int dy = std::rand() % 3 - 1;
    const int dx = std::rand() % 3 - 1;
    moveBy(self, dx, dy);
}
