#include "behaviour/Hearing.h"

#include <cstdint>
#include <utility>
#include <typeinfo>
#include <vector>

#include "core/CellArea.h"
#include "core/GameObject.h"
#include "core/World.h"

// Walking every command for every listener is quadratic in the number of
// creatures. So the prey moves of last turn are listed once, the first time a
// predator listens after the turn exchanged its command lists, in the World's
// MoveIndex, which finds the moves starting near a listener directly.

namespace {

// Whether a listener whose hearing square is `heard` hears the move.
bool hears(const HeardMove& move, const CellArea& heard) {
    return heard.contains(move.toX, move.toY) || heard.contains(move.fromX, move.fromY);
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

// The prey moves of last turn, in command order.
const MoveIndex& preyMovesOfLastTurn() {
    World& world = *theWorld;
    MoveIndex& index = world.heardMoves;
    if (index.isFor(world.lastCommandsSerial()))
        return index;
    std::vector<HeardMove> moves = index.takeStorage();
    moves.reserve(world.lastCommands.size());
    world.schedule.forEachLastCommand(world.lastCommands, [&](const Command& command) {
        const Movement* movement = asKind<Movement, Eat>(&command);
        if (movement && asKind<Prey, Predator>(movement->subject.get()))
            moves.push_back({movement->fromX, movement->fromY, movement->toX, movement->toY});
    });
    index.rebuild(world.lastCommandsSerial(), std::move(moves), world.grid);
    return index;
}

} // namespace

std::optional<HeardMove> firstHeardMove(std::int32_t x, std::int32_t y, std::int32_t range) {
    if (range < 0)
        return std::nullopt;
    const MoveIndex& moves = preyMovesOfLastTurn();
    const CellArea heard = CellArea::around(x, y, range);
    // A heard move starts or ends within range, so a move of one step starts at
    // most one cell further out. Longer moves (made by hand) may start anywhere.
    const CellArea area = moves.onlySteps() ? CellArea::around(x, y, std::int64_t{range} + 1)
                                            : CellArea::everywhere();
    return moves.firstStartingIn(area, [&](const HeardMove& move) { return hears(move, heard); });
}
