#pragma once
// Moves listed by the row they start in, so that the moves starting near a cell
// are found without walking them all. Hearing keeps last turn's prey moves here
// (behaviour/Hearing.cpp says which moves, and why the nearby ones suffice); the
// World owns the index beside the command lists it is made from.
//
// The answer is always the first move in list order that qualifies. The rows are
// used only when they give that very answer: when the moves start on the grid in
// rising row-major order, as a turn's moves do (creatures act in row-major order
// and each moves once). Any other list (one made by hand, say) is walked move by
// move, and so is a short one, where walking is quicker than indexing.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/CellArea.h"
#include "core/Grid.h"

struct HeardMove {
    std::int32_t fromX;
    std::int32_t fromY;
    std::int32_t toX;
    std::int32_t toY;
};

class MoveIndex {
  public:
    // Whether the index holds the moves of the command lists with this serial.
    bool isFor(std::uint64_t serial) const { return builtFor == serial; }

    // Makes the index hold these moves, in this order, for the command lists
    // with this serial on this grid.
    void rebuild(std::uint64_t serial, std::vector<HeardMove> moves, const Grid& grid);

    // Whether every move ends at most one cell from where it started, per axis.
    bool onlySteps() const { return steps; }

    // The first move in list order that starts in the area and passes the test.
    template <class Test>
    std::optional<HeardMove> firstStartingIn(const CellArea& area, Test passes) const;

    // Storage to fill before rebuild; its capacity is kept from turn to turn,
    // since a fresh list of megabytes each turn costs page faults.
    std::vector<HeardMove> takeStorage();

  private:
    static constexpr std::size_t shortList = 64;

    void indexRows(std::int32_t height);

    // The serial of the lists the moves are from; nothing while the storage is out.
    std::optional<std::uint64_t> builtFor;
    bool steps = true;
    std::vector<HeardMove> moves;
    bool byRow = false;
    // The moves starting in row r are moves[rowBegin[r] .. rowBegin[r + 1]).
    std::vector<std::uint32_t> rowBegin;
};

template <class Test>
std::optional<HeardMove> MoveIndex::firstStartingIn(const CellArea& area, Test passes) const {
    if (!byRow) {
        for (const HeardMove& move : moves) {
            if (area.contains(move.fromX, move.fromY) && passes(move))
                return move;
        }
        return std::nullopt;
    }
    // In rising row-major order of origin, list order and row-by-row order agree.
    const auto lastRow = static_cast<std::int64_t>(rowBegin.size()) - 2;
    for (std::int64_t row = std::max<std::int64_t>(0, area.top);
         row <= std::min(lastRow, area.bottom); ++row) {
        const auto rowEnd = moves.begin() + rowBegin[static_cast<std::size_t>(row) + 1];
        auto move = std::lower_bound(
            moves.begin() + rowBegin[static_cast<std::size_t>(row)], rowEnd, area.left,
            [](const HeardMove& m, std::int64_t column) { return m.fromX < column; });
        for (; move != rowEnd && move->fromX <= area.right; ++move) {
            if (passes(*move))
                return *move;
        }
    }
    return std::nullopt;
}
