#include "RunTask.h"

#include <memory>

#include "Dice.h"
#include "Simulation.h"
#include "tools/sweep/workers/WorkerProtocol.h"

namespace {

// The reports gathered whole, to be handed back at once.
class GatheredReports : public protocol::ChunkedRecorder {
public:
    std::string bytes;

private:
    void send(const std::string& chunk) override { bytes += chunk; }
};

} // namespace

RunTask RunTask::of(const RunRequest& request) {
    RunTask task{request.settings.configFile,
                 request.settings.text ? *request.settings.text : std::string(),
                 {},
                 request.seed,
                 request.turns,
                 request.every};
    for (const SettingLine& line : request.settings.lines)
        task.lines.emplace_back(line.key, line.value);
    return task;
}

RunRequest RunTask::request() const {
    RunRequest request;
    request.settings = {configFile, std::make_shared<const std::string>(settingsText), {}};
    for (const auto& [key, value] : lines)
        request.settings.lines.push_back({key, value});
    request.seed = seed;
    request.turns = turns;
    request.every = every;
    return request;
}

std::string playRunTask(const RunTask& task) {
    const RunRequest request = task.request();
    // playRun seeds the dice with the run's seed, as a forked worker seeds its rand().
    Dice dice(1);
    GatheredReports reports;
    {
        const simulation::Turn turn(nullptr, dice);
        reports.finish(playRun(request, reports));
    }
    return std::move(reports.bytes);
}
