#include "tools/ExperimentRun.h"

#include <cstdlib>
#include <memory>
#include <new>

#include "core/StartupRefusal.h"
#include "core/World.h"
#include "system/AvailableMemory.h"

namespace {

// Follows a played run: records the chosen turns and notes when the prey are gone.
class RunWatch {
public:
    RunWatch(const RunRequest& runRequest, RunRecorder& runRecorder)
        : request(runRequest), recorder(runRecorder) {}

    void afterTurn(const World& world, std::uint64_t turn) {
        if (isRecordedTurn(turn, request.turns, request.every)) {
            const Census census = takeCensus(world.grid);
            recorder.record({turn, census});
            notePrey(census.prey > 0, turn);
        } else if (!end.preyGoneTurn) {
            notePrey(search.anyPrey(world.grid), turn);
        }
        end.turnsPlayed = turn;
    }

    RunEnd end;

private:
    void notePrey(bool any, std::uint64_t turn) {
        if (!any && !end.preyGoneTurn)
            end.preyGoneTurn = turn;
    }

    const RunRequest& request;
    RunRecorder& recorder;
    PreySearch search;
};

RunEnd ended(RunEnd end, RunOutcome outcome, std::string message) {
    end.outcome = outcome;
    end.message = std::move(message);
    return end;
}

} // namespace

const char* outcomeName(RunOutcome outcome) {
    switch (outcome) {
    case RunOutcome::Played:
        return "played";
    case RunOutcome::Refused:
        return "refused";
    case RunOutcome::OutOfMemory:
        return "out_of_memory";
    case RunOutcome::Failed:
        break;
    }
    return "failed";
}

RunEnd playRun(const RunRequest& request, RunRecorder& recorder) {
    RunWatch watch(request, recorder);
    try {
        std::srand(request.seed);
        const auto world = std::make_unique<World>(settingsWith(request.configFile, request.lines),
                                                   availableMemoryBytes());
        theWorld = world.get();
        if (const std::optional<std::string> refusal = startupRefusal(*world, request.configFile)) {
            const RunOutcome outcome =
                world->memoryShortfall() ? RunOutcome::OutOfMemory : RunOutcome::Refused;
            return {outcome, 0, std::nullopt, *refusal};
        }
        watch.afterTurn(*world, 0);
        for (std::uint64_t turn = 1; turn <= request.turns; ++turn) {
            world->step();
            watch.afterTurn(*world, turn);
        }
    } catch (const std::bad_alloc&) {
        return ended(watch.end, RunOutcome::OutOfMemory, outOfMemoryMessage(request.configFile));
    } catch (const std::exception& error) {
        // Whatever else a run might throw ends that run, not the sweep.
        return ended(watch.end, RunOutcome::Failed, std::string("the run failed: ") + error.what());
    }
    return watch.end;
}
