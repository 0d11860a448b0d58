#include "tools/sweep/ExperimentRun.h"

#include <exception>

#include "core/World.h"

namespace {

// Follows a played run: records the chosen turns and notes when the prey are gone.
class RunWatch {
public:
    RunWatch(const RunRequest& runRequest, RunRecorder& runRecorder)
        : request(runRequest), recorder(runRecorder) {}

    void afterTurn(const World& world, std::uint64_t turn) {
        const Census census = takeCensus(world.grid);
        if (isRecordedTurn(turn, request.turns, request.every))
            recorder.record({turn, census});
        notePrey(census.prey > 0, turn);
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

std::optional<RunOutcome> outcomeNamed(std::string_view name) {
    for (RunOutcome outcome : {RunOutcome::Played, RunOutcome::Refused, RunOutcome::OutOfMemory,
                               RunOutcome::Failed}) {
        if (name == outcomeName(outcome))
            return outcome;
    }
    return std::nullopt;
}

RunEnd playRun(const RunRequest& request, RunRecorder& recorder) {
    RunWatch watch(request, recorder);
    try {
        const PlayEnd played = playWorld(
            request.settings, request.seed, request.turns,
            [&watch](const World& world, std::uint64_t turn) { watch.afterTurn(world, turn); });
        if (played.outcome == RunOutcome::Played)
            return watch.end;
        return ended(watch.end, played.outcome, played.message);
    } catch (const std::exception& error) {
        // Whatever else a run might throw ends that run, not the sweep.
        return ended(watch.end, RunOutcome::Failed, std::string("the run failed: ") + error.what());
    }
}
