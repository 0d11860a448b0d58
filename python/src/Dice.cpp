#include "Dice.h"

#include <cstdlib>

Dice::Dice(unsigned seed) {
    // initstate seeds the new state as srandom(seed) would and makes it current.
    char* const found = initstate(seed, state.data(), state.size());
    setstate(found);
}

Dice::Roll::Roll(Dice& dice) : found(setstate(dice.state.data())) {}

Dice::Roll::~Roll() { setstate(found); }
