// Set-up and whole turns of the benchmark worlds. A turn figure is the mean of
// turns 11 to 30 after set-up, unless the name says otherwise; every iteration
// builds its world afresh, so all repetitions see the same game.
#include <benchmark/benchmark.h>
#include <chrono>
#include <string>

#include "BenchWorld.h"

namespace {

void BM_SetUpBigWorld(benchmark::State& state) {
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        auto world = buildWorld("big");
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count());
        // Tearing the world down is not part of the set-up; it is left out of the time.
    }
}

void BM_Turns11To30(benchmark::State& state, const std::string& name) {
    for (auto _ : state) {
        auto world = buildWorld(name);
        reportTurns(state, timeTurns(*world, 11, 30), 20);
    }
}

// The mean turn of a long run: the big world thins out from crowded to late.
void BM_Turns1To300(benchmark::State& state, const std::string& name) {
    for (auto _ : state) {
        auto world = buildWorld(name);
        reportTurns(state, timeTurns(*world, 1, 300), 300);
    }
}

void BM_Turn1(benchmark::State& state, const std::string& name) {
    for (auto _ : state) {
        auto world = buildWorld(name);
        reportTurns(state, timeTurns(*world, 1, 1), 1);
    }
}

void wholeRuns(benchmark::internal::Benchmark* bench) {
    bench->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
    addMinMax(bench);
}

BENCHMARK(BM_SetUpBigWorld)->Apply(wholeRuns);
BENCHMARK_CAPTURE(BM_Turn1, big, std::string("big"))->Apply(wholeRuns);
BENCHMARK_CAPTURE(BM_Turns11To30, big, std::string("big"))->Apply(wholeRuns);
BENCHMARK_CAPTURE(BM_Turns11To30, huge, std::string("huge"))->Apply(wholeRuns);
BENCHMARK_CAPTURE(BM_Turns11To30, deaf_and_far, std::string("deaf-and-far"))->Apply(wholeRuns);
BENCHMARK_CAPTURE(BM_Turns11To30, loud, std::string("loud"))->Apply(wholeRuns);
BENCHMARK_CAPTURE(BM_Turns11To30, late, std::string("late"))->Apply(wholeRuns);
BENCHMARK_CAPTURE(BM_Turns1To300, big, std::string("big"))->Apply(wholeRuns);

} // namespace
