#pragma once
// The simulation is written for one thread: one World at a time (theWorld), one
// rand() sequence, allocation pools shared by every world, handles without
// atomic counts. The module's calls that touch a World therefore take turns:
// each holds the simulation while it works, with that World made theWorld and
// its dice rand()'s, and lets go between two turns of a long step when another
// call waits, first come first served.
//
// The rules that keep the interpreter and the simulation from waiting on each
// other: the simulation is taken only with the GIL released, and nothing
// touches Python while holding it. A fork of the process (the sweep's
// workers, os.fork, multiprocessing) waits until the simulation is free, so
// that the child never finds a World or an allocation pool half changed.
#include <cstdint>

#include "Dice.h"

class World;

namespace simulation {

// Makes the fork rule hold; called once, when the module is loaded.
void guardForks();

// While a Hold lives, this thread has the simulation to itself.
class Hold {
public:
    Hold();
    ~Hold();
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

    // True when another call is waiting for the simulation.
    static bool othersWaiting();
};

// While a Turn lives, the simulation is held with `world` as theWorld and its
// dice as rand()'s; both are put back as they were found when it ends.
class Turn {
public:
    Turn(World* world, Dice& dice);
    ~Turn();
    Turn(const Turn&) = delete;
    Turn& operator=(const Turn&) = delete;

private:
    Hold hold;
    World* found;
    Dice::Roll roll;
};

} // namespace simulation
