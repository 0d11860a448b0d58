// The lookup that every property query and every reaction time goes through.
#include <benchmark/benchmark.h>
#include <string>

#include "BenchWorld.h"
#include "core/Config.h"

namespace {

void BM_ConfigGetIntOfAPresentKey(benchmark::State& state) {
    const Config config = Config::load(worldFile("big"));
    // Held in a string so that the compiler cannot fold the key into the lookup.
    const std::string key = "predator.reaction_time";
    for (auto _ : state)
        benchmark::DoNotOptimize(config.getInt(key));
}
BENCHMARK(BM_ConfigGetIntOfAPresentKey)->Apply(addMinMax);

} // namespace
