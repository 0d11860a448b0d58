#pragma once
// How many objects of each kind the grid's cells hold, kept by the grid as
// objects come to stand in its cells and leave them: the census after a turn
// is then at hand without visiting a single object. A kind is told apart as
// everywhere else, through the object's accept.
#include "core/Census.h"

class GameObject;

class KindCounts {
public:
    // The object has come to stand in a cell.
    void arrived(GameObject& object);
    // The object has left its cell (removed, replaced, or dropped by a mover).
    void left(GameObject& object);

    const Census& census() const { return counts; }

private:
    Census counts;
};
