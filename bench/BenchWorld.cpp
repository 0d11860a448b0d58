#include "BenchWorld.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
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

namespace {

double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

} // namespace

TurnTimes timeTurns(World& world, int first, int last) {
    for (int turn = 1; turn < first; ++turn)
        world.step();
    const double cpuStart = threadCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    for (int turn = first; turn <= last; ++turn)
        world.step();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return {elapsed.count(), threadCpuSeconds() - cpuStart};
}

void reportTurns(benchmark::State& state, const TurnTimes& times, int turns) {
    state.SetIterationTime(times.wall / turns);
    state.counters["cpu_ms"] = times.cpu / turns * 1e3;
}

void addMinMax(benchmark::internal::Benchmark* bench) {
    bench->ComputeStatistics("min", [](const std::vector<double>& v) {
        return *std::min_element(v.begin(), v.end());
    });
    bench->ComputeStatistics("max", [](const std::vector<double>& v) {
        return *std::max_element(v.begin(), v.end());
    });
}
