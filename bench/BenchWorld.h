#pragma once
// Building the benchmark worlds (see make-worlds.sh) and timing their turns.
#include <benchmark/benchmark.h>
#include <memory>
#include <string>

#include "core/World.h"

// The path of a world's configuration file. The directory is $LURKFIELD_WORLDS
// when set, otherwise the one that the build filled with make-worlds.sh.
std::string worldFile(const std::string& name);

// Builds the named world exactly as lurkfield-text does and makes it theWorld.
// The random sequence starts afresh, so every repetition gets the same world.
std::unique_ptr<World> buildWorld(const std::string& name);

// Seconds taken by turns first..last (counted from 1 after set-up), after the
// turns before them have run untimed. The world must be theWorld.
struct TurnTimes {
    double wall;
    // The thread's own processor time: on a busy shared machine it shows what the
    // turns cost when the wall clock also counts the other programs' time slices.
    double cpu;
};
TurnTimes timeTurns(World& world, int first, int last);

// Reports per-turn times: the wall clock as the benchmark's time, and the
// processor time as the counter "cpu_ms".
void reportTurns(benchmark::State& state, const TurnTimes& times, int turns);

// Adds min and max to the aggregates of a repeated benchmark: the machine is
// shared, so its noise belongs in every figure.
void addMinMax(benchmark::internal::Benchmark* bench);
