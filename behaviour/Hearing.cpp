#include "behaviour/Hearing.h"

#include <algorithm>
#include <typeinfo>
#include <vector>

#include "core/GameObject.h"
#include "core/Prefetch.h"
#include "core/World.h"

// Walking every command for every listener is quadratic in the number of
// creatures. But creatures act in row-major order of their cells and each issues
// at most one move, so the prey moves of a turn come sorted by their origin.
// Listed by origin row, the moves near a listener are found directly, and the
// first heard one in row-major order of origin is the first in command order.
// When a list does not have that shape (it was made by hand) or is short, the
// listener walks it command by command instead; both give the same answer.

namespace {

bool within(std::int64_t value, std::int64_t centre, std::int64_t range) {
    return value >= centre - range && value <= centre + range;
}

bool hears(const HeardMove& move, std::int32_t x, std::int32_t y, std::int32_t range) {
    return (within(move.toX, x, range) && within(move.toY, y, range)) ||
           (within(move.fromX, x, range) && within(move.fromY, y, range));
}

// The only place where the simulation asks a command and an object for their
// classes, once for every command of every turn. An object whose class is exactly
// the asked one (or exactly one that cannot be it) is answered by comparing its
// type_info with the class's; only other classes (none in the game, but
// subclasses are allowed) need the far slower dynamic_cast.
template <class Kind, class Unlike, class Base> const Kind* asKind(const Base* object) {
    if (!object)
        return nullptr;
    const std::type_info& type = typeid(*object);
    if (&type == &typeid(Kind))
        return static_cast<const Kind*>(object);
    if (&type == &typeid(Unlike))
        return nullptr;
    return dynamic_cast<const Kind*>(object);
}

// The prey moves of a command list, in command order, written over `moves`
// (whose storage is reused: a fresh list of megabytes each turn costs page
// faults). Each answer needs the command and its mover from memory, so both are
// asked for some commands ahead.
void listPreyMoves(const std::vector<CommandPtr>& commands, std::vector<HeardMove>& moves) {
    moves.clear();
    moves.reserve(commands.size());
    visitAhead(
        commands, 8, [](const CommandPtr& command) { prefetch(command.get()); },
        [](const CommandPtr& command) { command->prefetchSubject(); },
        [&](const CommandPtr& command) {
            const Movement* movement = asKind<Movement, Eat>(command.get());
            if (movement && asKind<Prey, Predator>(movement->subject.get()))
                moves.push_back({movement->fromX, movement->fromY, movement->toX, movement->toY});
        });
}

// Prey moves listed by origin row, rebuilt once for each new list of commands.
class HeardMoveIndex {
public:
    std::optional<HeardMove> firstHeard(std::int32_t x, std::int32_t y, std::int32_t range) {
        refresh();
        return byRow ? searchRows(x, y, range) : walk(x, y, range);
    }

private:
    static constexpr std::size_t shortList = 64;

    struct ListIdentity {
        const World* world = nullptr;
        std::uint64_t serial = 0;
        const CommandPtr* data = nullptr;
        std::size_t size = 0;
        const Command* first = nullptr;
        const Command* last = nullptr;
        bool operator==(const ListIdentity&) const = default;
    };

    static ListIdentity identityOf(const World& world) {
        const std::vector<CommandPtr>& list = world.lastCommands;
        ListIdentity id{&world, world.lastCommandsSerial(), list.data(), list.size()};
        if (!list.empty()) {
            id.first = list.front().get();
            id.last = list.back().get();
        }
        return id;
    }

    void refresh() {
        const ListIdentity current = identityOf(*theWorld);
        if (current == identity)
            return;
        identity = current;
        listPreyMoves(theWorld->lastCommands, moves);
        byRow = theWorld->lastCommands.size() > shortList && sortedSteps(theWorld->grid);
        if (byRow)
            indexRows(theWorld->grid.height);
    }

    // True when every move starts on the grid, goes at most one cell per axis,
    // and the origins rise in row-major order.
    bool sortedSteps(const Grid& grid) const {
        for (std::size_t i = 0; i < moves.size(); ++i) {
            const HeardMove& m = moves[i];
            if (!grid.contains(m.fromX, m.fromY) || !within(m.toX, m.fromX, 1) ||
                !within(m.toY, m.fromY, 1))
                return false;
            if (i > 0 && std::make_pair(moves[i - 1].fromY, moves[i - 1].fromX) >=
                             std::make_pair(m.fromY, m.fromX))
                return false;
        }
        return true;
    }

    void indexRows(std::int32_t height) {
        rowBegin.assign(static_cast<std::size_t>(height) + 1, 0);
        for (const HeardMove& m : moves)
            ++rowBegin[static_cast<std::size_t>(m.fromY) + 1];
        for (std::size_t row = 1; row < rowBegin.size(); ++row)
            rowBegin[row] += rowBegin[row - 1];
    }

    std::optional<HeardMove> walk(std::int32_t x, std::int32_t y, std::int32_t range) const {
        for (const HeardMove& m : moves) {
            if (hears(m, x, y, range))
                return m;
        }
        return std::nullopt;
    }

    // A heard move starts at most one cell outside the hearing square.
    std::optional<HeardMove> searchRows(std::int32_t x, std::int32_t y,
                                        std::int32_t range) const {
        const std::int64_t reach = std::int64_t{range} + 1;
        const std::int64_t top = std::max<std::int64_t>(0, y - reach);
        const auto lastRow = static_cast<std::int64_t>(rowBegin.size()) - 2;
        const std::int64_t bottom = std::min<std::int64_t>(lastRow, y + reach);
        for (std::int64_t row = top; row <= bottom; ++row) {
            const auto begin = moves.begin() + rowBegin[static_cast<std::size_t>(row)];
            const auto end = moves.begin() + rowBegin[static_cast<std::size_t>(row) + 1];
            auto m = std::lower_bound(begin, end, x - reach, [](const HeardMove& move,
                                                                 std::int64_t column) {
                return move.fromX < column;
            });
            for (; m != end && m->fromX <= x + reach; ++m) {
                if (hears(*m, x, y, range))
                    return *m;
            }
        }
        return std::nullopt;
    }

    ListIdentity identity;
    std::vector<HeardMove> moves;
    bool byRow = false;
    std::vector<std::uint32_t> rowBegin;
};

} // namespace

std::optional<HeardMove> firstHeardMove(std::int32_t x, std::int32_t y, std::int32_t range) {
    if (range < 0)
        return std::nullopt;
    static HeardMoveIndex index;
    return index.firstHeard(x, y, range);
}
