#pragma once
// A World's own sequence of rand() draws. The simulation draws with rand(),
// which is one sequence per process: two worlds stepped in turns would take
// each other's draws. glibc's rand() is random(), whose state can be switched
// (initstate, setstate): each World keeps a state of its own and makes it
// rand()'s while it plays, then puts back the state it found, so that every
// world plays exactly the game it plays alone and other code in the process
// goes on with its own sequence. While a World's state is rand()'s, rand() in
// another thread would draw from it too: the module's calls take turns
// (Simulation.h), and code outside the module cannot be made to.
// glibc only (musl's and Microsoft's rand() have no such switch).
#include <array>
#include <cstdint>

class Dice {
public:
    // The sequence that srand(seed) starts; glibc deals seed 0 as seed 1, and
    // seed 1 is the sequence of a process that never seeds.
    explicit Dice(unsigned seed);
    Dice(const Dice&) = delete;
    Dice& operator=(const Dice&) = delete;

    // While a Roll lives, rand() draws from these dice; it puts back the state
    // it found when it ends. Rolls of different dice nest.
    class Roll {
    public:
        explicit Roll(Dice& dice);
        ~Roll();
        Roll(const Roll&) = delete;
        Roll& operator=(const Roll&) = delete;

    private:
        char* found;
    };

private:
    // 128 bytes give the generator of a process that never seeds (glibc's own
    // state is that size), so that seeded dice deal what srand(seed) deals.
    static constexpr std::size_t stateBytes = 128;
    alignas(std::int32_t) std::array<char, stateBytes> state{};
};
