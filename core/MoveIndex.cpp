#include "core/MoveIndex.h"

#include <utility>

void MoveIndex::rebuild(std::uint64_t serial, std::vector<HeardMove> listed, const Grid& grid) {
    builtFor = serial;
    moves = std::move(listed);
    // One walk finds both whether every move is a step and whether the moves
    // start on the grid in rising row-major order.
    steps = true;
    bool rowMajor = true;
    for (std::size_t i = 0; i < moves.size(); ++i) {
        const HeardMove& m = moves[i];
        steps &= CellArea::around(m.fromX, m.fromY, 1).contains(m.toX, m.toY);
        rowMajor &= grid.contains(m.fromX, m.fromY) &&
                    (i == 0 || std::make_pair(moves[i - 1].fromY, moves[i - 1].fromX) <
                                   std::make_pair(m.fromY, m.fromX));
    }
    byRow = moves.size() > shortList && rowMajor;
    if (byRow)
        indexRows(grid.height);
}

std::vector<HeardMove> MoveIndex::takeStorage() {
    builtFor.reset();
    std::vector<HeardMove> storage = std::move(moves);
    storage.clear();
    return storage;
}

void MoveIndex::indexRows(std::int32_t height) {
    rowBegin.assign(static_cast<std::size_t>(height) + 1, 0);
    for (const HeardMove& m : moves)
        ++rowBegin[static_cast<std::size_t>(m.fromY) + 1];
    for (std::size_t row = 1; row < rowBegin.size(); ++row)
        rowBegin[row] += rowBegin[row - 1];
}
