#include "PythonWorld.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <new>

#include "Errors.h"
#include "Picture.h"
#include "RowColumns.h"
#include "Simulation.h"
#include "app/SelectedCreature.h"
#include "core/StartupRefusal.h"
#include "core/World.h"
#include "tools/common/PlayWorld.h"
#include "tools/sweep/ExperimentRun.h"

namespace py = pybind11;

namespace {

// How long the main thread plays on before it looks for Ctrl+C.
constexpr std::chrono::milliseconds signalInterval{20};

bool onMainThread() {
    const py::object threading = py::module_::import("threading");
    return threading.attr("current_thread")().is(threading.attr("main_thread")());
}

template <class Cell> py::array_t<Cell> boardArray(std::int32_t columns, std::int32_t rows) {
    return py::array_t<Cell>({static_cast<py::ssize_t>(rows), static_cast<py::ssize_t>(columns)});
}

} // namespace

PythonWorld::PythonWorld(std::string settingsName, std::string text,
                         const std::vector<std::string>& settings, std::optional<unsigned> seed)
    : configFile(std::move(settingsName)), dice(seed.value_or(1)) {
    WorldSettings from{configFile, std::make_shared<const std::string>(std::move(text)), {}};
    for (const std::string& setting : settings)
        from.lines.push_back(parseSettingLine("--set", setting));
    py::gil_scoped_release free;
    simulation::Turn turn(nullptr, dice);
    try {
        WorldSetUp setUp = setUpWorld(from, std::nullopt);
        if (setUp.refusal && setUp.refusal->outcome == RunOutcome::OutOfMemory)
            throw WorldOutOfMemory(setUp.refusal->message);
        if (setUp.refusal)
            throw RefusedWorld(setUp.refusal->message);
        world = std::move(setUp.world);
    } catch (const std::bad_alloc&) {
        throw WorldOutOfMemory(outOfMemoryMessage(configFile));
    }
    columns = world->grid.width;
    rows = world->grid.height;
}

PythonWorld::~PythonWorld() {
    if (!world)
        return;
    // Letting go of the World's objects returns them to the shared pools.
    py::gil_scoped_release free;
    simulation::Turn turn(world.get(), dice);
    world.reset();
}

template <class Use> auto PythonWorld::withWorld(Use use) {
    py::gil_scoped_release free;
    simulation::Turn turn(world.get(), dice);
    if (!world)
        throw WorldOutOfMemory(outOfMemoryMessage(configFile));
    return use(*world);
}

void PythonWorld::step(std::uint64_t turns) { play(turns, nullptr); }

py::list PythonWorld::run(std::uint64_t turns, std::uint64_t every) {
    RowColumns<TableRow> table({}, false);
    TableRow row;
    const auto record = [&](const World& recorded, std::uint64_t turn) {
        row.turn = turn;
        row.census = takeCensus(recorded.grid);
        table.add(row);
    };
    withWorld([&](World& recorded) { record(recorded, played); });
    const std::uint64_t last = played + turns;
    play(turns, [&](const World& recorded, std::uint64_t turn) {
        if (isRecordedTurn(turn, last, every))
            record(recorded, turn);
    });
    return table.columns();
}

void PythonWorld::play(std::uint64_t turns, const AfterTurn& afterTurn) {
    const bool watchSignals = onMainThread();
    std::uint64_t left = turns;
    while (left > 0) {
        playTurns(left, watchSignals, afterTurn);
        if (PyErr_CheckSignals() != 0)
            throw py::error_already_set();
    }
}

// Plays on until the turns are played or it is time to look for Ctrl+C, letting
// in between two turns any call that waits for the simulation.
void PythonWorld::playTurns(std::uint64_t& left, bool watchSignals, const AfterTurn& afterTurn) {
    py::gil_scoped_release free;
    const auto lookAgain = std::chrono::steady_clock::now() + signalInterval;
    const auto timeToLook = [&] {
        return watchSignals && std::chrono::steady_clock::now() >= lookAgain;
    };
    while (left > 0 && !timeToLook()) {
        simulation::Turn turn(world.get(), dice);
        if (!world)
            throw WorldOutOfMemory(outOfMemoryMessage(configFile));
        try {
            do {
                world->step();
                ++played;
                --left;
                if (afterTurn)
                    afterTurn(*world, played);
            } while (left > 0 && !simulation::Hold::othersWaiting() && !timeToLook());
        } catch (const std::bad_alloc&) {
            // A turn cut short leaves a world that cannot go on: it goes now.
            world.reset();
            throw WorldOutOfMemory(outOfMemoryMessage(configFile));
        }
    }
}

Census PythonWorld::census() {
    return withWorld([](World& counted) { return takeCensus(counted.grid); });
}

py::array_t<std::uint8_t> PythonWorld::kinds() {
    py::array_t<std::uint8_t> board = boardArray<std::uint8_t>(columns, rows);
    std::uint8_t* const cells = board.mutable_data();
    withWorld([&](World& seen) {
        const Grid& grid = seen.grid;
        std::memset(cells, 0, static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows));
        for (std::int32_t y = 0; y < rows; ++y) {
            std::uint8_t* const row = cells + static_cast<std::size_t>(y) * static_cast<std::size_t>(columns);
            grid.forEachOfKindsInRow(y, 0, columns - 1, allKinds, [&](std::int32_t x, Kind kind) {
                row[x] = cellCode(kind);
            });
        }
    });
    return board;
}

py::array_t<bool> PythonWorld::hears(std::int64_t x, std::int64_t y) { return marks(x, y, false); }

py::array_t<bool> PythonWorld::sees(std::int64_t x, std::int64_t y) { return marks(x, y, true); }

CellPosition PythonWorld::cellAt(std::int64_t x, std::int64_t y) const {
    if (x < 0 || x >= columns || y < 0 || y >= rows)
        throw py::index_error("the cell (" + std::to_string(x) + ", " + std::to_string(y) +
                              ") is not on the grid of " + std::to_string(columns) + " x " +
                              std::to_string(rows) + " cells");
    return {static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)};
}

py::array_t<bool> PythonWorld::marks(std::int64_t x, std::int64_t y, bool sight) {
    const CellPosition cell = cellAt(x, y);
    py::array_t<bool> marked = boardArray<bool>(columns, rows);
    bool* const cells = marked.mutable_data();
    withWorld([&](World&) {
        std::memset(cells, 0, static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows));
        const std::optional<SelectedCreature> creature = selectedCreatureAt(cell);
        if (!creature)
            return;
        const CellSpan span = sight ? sightSquare(*creature) : heardCells(*creature);
        for (std::int32_t row = span.first.row; row <= span.last.row; ++row) {
            for (std::int32_t column = span.first.column; column <= span.last.column; ++column)
                cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) +
                      static_cast<std::size_t>(column)] =
                    !sight || seesCell(*creature, {column, row});
        }
    });
    return marked;
}

py::bytes PythonWorld::picture(std::optional<int> cell,
                               std::optional<std::pair<std::int64_t, std::int64_t>> selected) {
    const int pixels = cell.value_or(defaultCellPixels(columns, rows));
    const std::int64_t longer = std::int64_t{std::max(columns, rows)} * pixels;
    if (pixels < 1 || longer > largestPictureSide)
        throw py::value_error("a picture's cells are 1 pixel or more, and its sides at most " +
                              std::to_string(largestPictureSide) + " pixels: cells of " +
                              std::to_string(pixels) + " pixels make a side of " +
                              std::to_string(longer));
    const CellPosition selection = selected ? cellAt(selected->first, selected->second) : noCell;
    const std::vector<std::uint8_t> png =
        withWorld([&](World&) { return boardPicture(pixels, selection); });
    return py::bytes(reinterpret_cast<const char*>(png.data()), png.size());
}
