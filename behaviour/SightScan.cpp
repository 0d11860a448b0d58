#include "behaviour/SightScan.h"

#include <array>

#include "behaviour/LineOfSight.h"
#include "core/CellArea.h"
#include "core/PropertyQueries.h"
#include "core/World.h"

namespace {

// Whether each kind is eatable, asked of the settings the first time the scan
// meets an object of that kind: the answer is the kind's, the same for every
// object of it. The kinds not ruled out are those the scan still looks for.
class EatableKinds {
public:
    bool eatable(Kind kind) {
        auto& answer = answers[static_cast<std::size_t>(kind)];
        if (answer == unasked) {
            answer = kindSetting<"eatable">(kind) != 0 ? yes : no;
            if (answer == no)
                notRuledOut &= static_cast<KindSet>(~kindBit(kind));
        }
        return answer == yes;
    }

    KindSet notRuledOut = allKinds;

private:
    enum Answer : std::uint8_t { unasked, yes, no };
    std::array<Answer, 3> answers{unasked, unasked, unasked};
};

} // namespace

std::optional<SeenCell> firstEatableInSight(std::int32_t x, std::int32_t y, std::int64_t range) {
    const Grid& grid = theWorld->grid;
    // With a range of 0 or more, every corner of the square cut to the grid lies
    // between (x, y) and an edge of the grid: it fits a column or row number.
    const CellArea square = CellArea::around(x, y, range).cutTo(grid);
    const auto top = static_cast<std::int32_t>(square.top);
    const auto bottom = static_cast<std::int32_t>(square.bottom);
    const auto left = static_cast<std::int32_t>(square.left);
    const auto right = static_cast<std::int32_t>(square.right);
    // Only cells of an eatable kind can hold something eatable: the grid names
    // the cells of each kind row by row.
    EatableKinds kinds;
    for (std::int32_t row = top; row <= bottom && kinds.notRuledOut != 0; ++row) {
        std::optional<SeenCell> seen;
        grid.forEachOfKindsInRow(row, left, right, kinds.notRuledOut, [&](std::int32_t column, Kind kind) {
            if (!seen && kinds.eatable(kind) && hasLineOfSight(x, y, column, row))
                seen = SeenCell{column, row};
        });
        if (seen)
            return seen;
    }
    return std::nullopt;
}
