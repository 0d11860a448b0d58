#pragma once
// The World behind lurkfield.World: one World of the simulation with its own
// dice, set up exactly as lurkfield-text sets up its World, stepped, counted
// and looked at on demand. Every call takes the simulation in turn with the
// other calls of the module (Simulation.h), with the GIL released while it
// works; a long step lets other threads in between two turns, and stops for
// Ctrl+C (KeyboardInterrupt) between two turns of the main thread.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Dice.h"
#include "app/BoardGeometry.h"
#include "core/Census.h"
#include "core/KindIndex.h"

class World;

// What kinds() holds in a cell: the code of its kind, with its name at the
// code's place in cellCodeNames.
inline constexpr std::array<const char*, 4> cellCodeNames = {"empty", "obstacle", "prey", "predator"};
constexpr std::uint8_t cellCode(Kind kind) {
    switch (kind) {
    case Kind::obstacle:
        return 1;
    case Kind::prey:
        return 2;
    case Kind::predator:
        break;
    }
    return 3;
}

class PythonWorld {
public:
    // `configFile` names the settings in messages; `text` is the settings
    // file's text, `settings` the lines added after it ("KEY=VALUE", as --set
    // takes them). Without a seed the dice are those of the unseeded game.
    // Throws RefusedWorld, WorldOutOfMemory or UsageError.
    PythonWorld(std::string configFile, std::string text, const std::vector<std::string>& settings,
                std::optional<unsigned> seed);
    ~PythonWorld();
    PythonWorld(const PythonWorld&) = delete;
    PythonWorld& operator=(const PythonWorld&) = delete;

    // Plays the turns, one after the other; KeyboardInterrupt between two.
    void step(std::uint64_t turns);
    // The same, recording the census of the current turn, of every turn that is
    // a multiple of `every` and of the last, as a sweep records a run: the
    // table's own columns (RowColumns::columns).
    pybind11::list run(std::uint64_t turns, std::uint64_t every);
    std::uint64_t turn() const { return played; }
    std::int32_t width() const { return columns; }
    std::int32_t height() const { return rows; }

    Census census();
    // The code of the kind in every cell, row by row (cellCode; 0 when empty).
    pybind11::array_t<std::uint8_t> kinds();
    // The cells the window marks for the cell's object: the square it hears,
    // the cells it sees. All false for an empty cell; IndexError off the grid.
    pybind11::array_t<bool> hears(std::int64_t x, std::int64_t y);
    pybind11::array_t<bool> sees(std::int64_t x, std::int64_t y);
    // The board as the window paints it, each cell `cell` pixels square (by
    // default defaultCellPixels), with the selected cell's marks when one is
    // given; PNG bytes. ValueError for a picture too large, IndexError for a
    // selection off the grid.
    pybind11::bytes picture(std::optional<int> cell,
                            std::optional<std::pair<std::int64_t, std::int64_t>> selected);

private:
    // Runs `use` with this World made theWorld and its dice rand()'s, the GIL
    // released meanwhile; WorldOutOfMemory once a turn has run out of memory.
    template <class Use> auto withWorld(Use use);
    pybind11::array_t<bool> marks(std::int64_t x, std::int64_t y, bool sight);
    // The cell (x, y), or IndexError when it is not on the grid.
    CellPosition cellAt(std::int64_t x, std::int64_t y) const;
    // Called after every turn, with the simulation held.
    using AfterTurn = std::function<void(const World&, std::uint64_t turn)>;
    void play(std::uint64_t turns, const AfterTurn& afterTurn);
    void playTurns(std::uint64_t& left, bool watchSignals, const AfterTurn& afterTurn);

    std::string configFile;
    Dice dice;
    std::unique_ptr<World> world;
    std::int32_t columns = 0;
    std::int32_t rows = 0;
    // Read by turn() while another thread may be stepping the world.
    std::atomic<std::uint64_t> played = 0;
};
