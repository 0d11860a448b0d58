#pragma once
// What the board shows for a selected cell: the object standing there, the
// square of cells it hears and the cells it sees. The window paints them around
// its selection; the Python module answers World.hears and World.sees from the
// same rules. Read from theWorld; a selection names a cell inside its grid.
#include <cstdint>
#include <optional>

#include "app/BoardGeometry.h"

struct SelectedCreature {
    CellPosition cell;
    // The object's kind's "hearing" and "sight", in cells per axis.
    std::int32_t hearing;
    std::int32_t sight;
};

// The object in the cell with its senses, or nothing for an empty cell (the
// board then shows nothing around it).
std::optional<SelectedCreature> selectedCreatureAt(CellPosition cell);

// The cells within hearing range, cut to the grid (the board draws one outline
// around them); none for a negative range.
CellSpan heardCells(const SelectedCreature& creature);

// The square that sight searches, cut to the grid: the cells within sight range,
// none unless the sight is above 0.
CellSpan sightSquare(const SelectedCreature& creature);

// True for a cell of the sight square that the creature has a line of sight to
// (the board fills each of them).
bool seesCell(const SelectedCreature& creature, CellPosition target);
