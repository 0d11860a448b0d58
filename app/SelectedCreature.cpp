#include "app/SelectedCreature.h"

#include "behaviour/LineOfSight.h"
#include "core/PropertyQueries.h"
#include "core/World.h"

std::optional<SelectedCreature> selectedCreatureAt(CellPosition cell) {
    const GameObjectPtr object = theWorld->grid.get(cell.column, cell.row);
    if (!object)
        return std::nullopt;
    return SelectedCreature{cell, queryProperty(*object, "hearing"), queryProperty(*object, "sight")};
}

CellSpan heardCells(const SelectedCreature& creature) {
    return cellsWithin(creature.cell, creature.hearing, theWorld->grid.width,
                       theWorld->grid.height);
}

CellSpan sightSquare(const SelectedCreature& creature) {
    return cellsWithin(creature.cell, creature.sight > 0 ? creature.sight : -1,
                       theWorld->grid.width, theWorld->grid.height);
}

bool seesCell(const SelectedCreature& creature, CellPosition target) {
    return hasLineOfSight(creature.cell.column, creature.cell.row, target.column, target.row);
}
