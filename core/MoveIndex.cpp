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
        indexBlocks(grid);
}

std::vector<HeardMove> MoveIndex::takeStorage() {
    builtFor.reset();
    std::vector<HeardMove> storage = std::move(moves);
    storage.clear();
    return storage;
}

void MoveIndex::indexBlocks(const Grid& grid) {
    rows = grid.height;
    columns = grid.width;
    blocksPerRow = static_cast<std::size_t>((columns + blockWidth - 1) / blockWidth);
    blockBegin.assign(static_cast<std::size_t>(rows) * blocksPerRow + 1, 0);
    for (const HeardMove& m : moves)
        ++blockBegin[static_cast<std::size_t>(m.fromY) * blocksPerRow +
                     static_cast<std::size_t>(m.fromX / blockWidth) + 1];
    for (std::size_t block = 1; block < blockBegin.size(); ++block)
        blockBegin[block] += blockBegin[block - 1];
}
