#pragma once
// What a world will need in memory, estimated from its settings alone, before
// anything is built. The World compares it with what the system reports as
// available to the process and refuses a world that cannot fit, instead of
// failing half-way through its set-up.
//
// The estimate, in bytes (every count clamped to what the grid can hold):
//   cells     = grid.x * grid.y                    (0 when either side is below 1)
//   obstacles = cells * obstacle.density / 100     (the density clamped to 0..100)
//   prey      = prey.number, at most the cells left free by the obstacles
//   predators = predator.number, at most the cells left free after the prey
//   objects   = obstacles + prey + predators
//   acting    = the prey if prey.reaction_time > 0, plus the predators if
//               predator.reaction_time > 0 (the others never issue a command)
//   need      = cells * bytesPerCell + objects * bytesPerObject
//             + acting * bytesPerActingCreature
// It is meant as an upper bound for the set-up and the turns that follow, not
// an exact figure: every acting creature is counted as issuing a command in
// every turn, which a crowded board never does.
#include <cstdint>
#include <limits>

#include "core/Handles.h"

class Config;

// "No limit": what a World is given when nobody asked the system.
constexpr std::uint64_t unlimitedMemory = std::numeric_limits<std::uint64_t>::max();

// A cell: its handle, its bit in the occupancy map, and the byte it takes in a
// printed frame of the text front end (17 bytes on 64-bit systems).
constexpr std::uint64_t bytesPerCell = sizeof(GameObjectPtr) + 1;
// An object on the board: the object and its behaviour, each with its reference
// counts, as the allocator hands them out (two blocks, 128 bytes in the objects'
// pool and with glibc on 64-bit Linux; 160 leaves room for allocators whose
// blocks carry larger headers, such as the Windows heap), plus its entry in a turn's object list
// and room for one command in each of the two command lists (40 bytes on
// 64-bit systems).
constexpr std::uint64_t bytesPerObject = 160 + sizeof(void*) + 2 * sizeof(CommandPtr);
// A creature that acts: the commands of two turns (the last turn's stay
// readable, to be heard) and its move in the hearing index (measured about
// 47 bytes a command).
constexpr std::uint64_t bytesPerActingCreature = 2 * 64 + 32;

// The estimated need in bytes of the world these settings describe; it stops at
// the largest std::uint64_t instead of overflowing.
std::uint64_t estimatedMemoryNeed(const Config& settings);

// Bytes as whole megabytes (2^20 bytes), rounded up or down.
std::uint64_t megabytesRoundedUp(std::uint64_t bytes);
std::uint64_t megabytesRoundedDown(std::uint64_t bytes);
