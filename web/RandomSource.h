#pragma once
// The C library's rand() of the page's program, with a state that can be kept
// and given back: the board's history (TurnHistory.h) keeps it beside the
// world, so that a kept turn plays on exactly as it did. The generator is
// musl's, Emscripten's C library's, number for number: a 64-bit linear
// congruential generator, state = state * 6364136223846793005 + 1, each number
// the state's top 31 bits, state 0 until srand. musl keeps its state to
// itself; so the program's rand() and srand() are these (the link wraps them,
// web/CMakeLists.txt), and the node text front end keeps musl's own, against
// which the page's boards are checked. Natively (tests/web/) it deals the page's
// games to lurkfield-text and lurkfield-sweep, linked in the same way.
#include <cstdint>

// The generator's whole state: what the next rand() draws from.
std::uint64_t randomState();
void setRandomState(std::uint64_t state);
