#include "BenchWorld.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <vector>

#ifndef LURKFIELD_BENCH_WORLDS
#define LURKFIELD_BENCH_WORLDS "."
#endif

std::string worldFile(const std::string& name) {
    const char* dir = std::getenv("LURKFIELD_WORLDS");
    return std::string(dir && *dir ? dir : LURKFIELD_BENCH_WORLDS) + "/" + name + ".config";
}

std::unique_ptr<World> buildWorld(const std::string& name) {
    // The game never seeds rand(); seed 1 gives back the sequence of a fresh process.
    std::srand(1);
    theWorld = nullptr;
    auto world = std::make_unique<World>(worldFile(name));
    theWorld = world.get();
    return world;
}

double timeTurns(World& world, int first, int last) {
    for (int turn = 1; turn < first; ++turn)
        world.step();
    const auto start = std::chrono::steady_clock::now();
    for (int turn = first; turn <= last; ++turn)
        world.step();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count();
}

void addMinMax(benchmark::internal::Benchmark* bench) {
    bench->ComputeStatistics("min", [](const std::vector<double>& v) {
        return *std::min_element(v.begin(), v.end());
    });
    bench->ComputeStatistics("max", [](const std::vector<double>& v) {
        return *std::max_element(v.begin(), v.end());
    });
}
