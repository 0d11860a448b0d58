#pragma once
// The objects of a turn: every object on the grid at its start, each kept alive
// until the turn ends even if it leaves the grid meanwhile, as a list of
// handles would keep it. The lists hold plain pointers and have the grid keep
// every handle that leaves a cell instead: copying and releasing a handle of
// every object would touch each of them twice more per turn.
//
// They come in two lists: the creatures, in row-major order, and the obstacles.
// Obstacles hardly ever change, so their list is kept from turn to turn and
// made again only after an obstacle has arrived in a cell, left one or moved:
// a turn of a world with few creatures then reads only the cells that hold them.
#include <vector>

#include "core/GameObject.h"
#include "core/Grid.h"

class TurnObjects {
  public:
    // The lists' storage, which the World keeps from turn to turn (a fresh list
    // of megabytes each turn costs page faults), with the obstacles' list itself.
    struct Storage {
        std::vector<GameObject*> creatures;
        std::vector<GameObject*> obstacles;
        // The grid's obstacles stamp when `obstacles` was made (none: never).
        KindIndex::Stamp obstaclesStamp;
    };

    TurnObjects(Grid& turnGrid, Storage& storage) : grid(turnGrid), lists(storage) {
        const bool obstaclesChanged = lists.obstaclesStamp != grid.obstaclesStamp();
        grid.objectPointers(lists.creatures, obstaclesChanged ? &lists.obstacles : nullptr);
        lists.obstaclesStamp = grid.obstaclesStamp();
        grid.holdLeavingHandles();
    }
    ~TurnObjects() {
        grid.releaseLeavingHandles();
        lists.creatures.clear();
    }
    TurnObjects(const TurnObjects&) = delete;
    TurnObjects& operator=(const TurnObjects&) = delete;

    // Every creature on the grid at the start of the turn, in row-major order.
    const std::vector<GameObject*>& creatureList() const { return lists.creatures; }
    // Every obstacle on the grid at the start of the turn, in row-major order
    // as they stood when the list was made.
    const std::vector<GameObject*>& obstacleList() const { return lists.obstacles; }

  private:
    Grid& grid;
    Storage& lists;
};
