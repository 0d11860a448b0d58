#pragma once
// The objects of a turn: every object on the grid at its start, in row-major
// order, each kept alive until the turn ends even if it leaves the grid
// meanwhile, as a list of handles would keep it. The list holds plain pointers
// and has the grid keep every handle that leaves a cell instead: copying and
// releasing a handle of every object would touch each of them twice more per turn.
#include <vector>

#include "core/GameObject.h"
#include "core/Grid.h"

class TurnObjects {
  public:
    // Lists the objects into `storage`, whose capacity the caller keeps from
    // turn to turn (a fresh list of megabytes each turn costs page faults).
    TurnObjects(Grid& turnGrid, std::vector<GameObject*>& storage)
        : grid(turnGrid), objects(storage) {
        grid.objectPointers(objects);
        grid.holdLeavingHandles();
    }
    ~TurnObjects() {
        grid.releaseLeavingHandles();
        objects.clear();
    }
    TurnObjects(const TurnObjects&) = delete;
    TurnObjects& operator=(const TurnObjects&) = delete;

    const std::vector<GameObject*>& list() const { return objects; }

  private:
    Grid& grid;
    std::vector<GameObject*>& objects;
};
