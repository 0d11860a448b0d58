#include "core/MoveIndex.h"

#include <algorithm>
#include <utility>

void MoveIndex::rebuild(std::uint64_t serial, std::vector<HeardMove> listed, const Grid& grid) {
    built = true;
    builtFor = serial;
    moves = std::move(listed);
    steps = allSteps();
    byRow = moves.size() > shortList && startInRowMajorOrder(grid);
    if (byRow)
        indexRows(grid.height);
}

std::vector<HeardMove> MoveIndex::takeStorage() {
    built = false;
    std::vector<HeardMove> storage = std::move(moves);
    storage.clear();
    return storage;
}

bool MoveIndex::allSteps() const {
    return std::all_of(moves.begin(), moves.end(), [](const HeardMove& m) {
        return CellArea::around(m.fromX, m.fromY, 1).contains(m.toX, m.toY);
    });
}

bool MoveIndex::startInRowMajorOrder(const Grid& grid) const {
    for (std::size_t i = 0; i < moves.size(); ++i) {
        const HeardMove& m = moves[i];
        if (!grid.contains(m.fromX, m.fromY))
            return false;
        if (i > 0 && std::make_pair(moves[i - 1].fromY, moves[i - 1].fromX) >=
                         std::make_pair(m.fromY, m.fromX))
            return false;
    }
    return true;
}

void MoveIndex::indexRows(std::int32_t height) {
    rowBegin.assign(static_cast<std::size_t>(height) + 1, 0);
    for (const HeardMove& m : moves)
        ++rowBegin[static_cast<std::size_t>(m.fromY) + 1];
    for (std::size_t row = 1; row < rowBegin.size(); ++row)
        rowBegin[row] += rowBegin[row - 1];
}
