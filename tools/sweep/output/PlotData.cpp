#include "tools/sweep/output/PlotData.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

std::string temporaryFolder() {
    const char* folder = std::getenv("TMPDIR");
    return folder && *folder ? folder : "/tmp";
}

// A line's label: "predator.sight=3, prey.number=40", or "all runs" when
// nothing is varied.
std::string label(const RunPlan& plan, std::uint64_t point) {
    return plan.varied().empty() ? "all runs" : plan.pointText(point);
}

} // namespace

PlotData::PlotData(const RunPlan& runPlan, std::uint64_t turns, std::uint64_t every)
    : plan(runPlan), keepEvery((recordedTurnCount(turns, turns, every) + maxTurns - 1) / maxTurns),
      lastTurn(turns) {
    std::string name = temporaryFolder() + "/lurkfield-plot-XXXXXX";
    const int fd = mkstemp(name.data());
    if (fd < 0 || !(file = fdopen(fd, "w"))) {
        problem =
            "cannot write the plot's data in " + temporaryFolder() + ": " + std::strerror(errno);
        if (fd >= 0)
            close(fd);
        return;
    }
    path = name;
}

PlotData::~PlotData() {
    if (file)
        std::fclose(file);
    if (!path.empty())
        unlink(path.c_str());
}

void PlotData::turn(std::uint64_t, const RecordedTurn& turn) {
    if (recordedIndex++ % keepEvery == 0 || turn.turn == lastTurn)
        runTurns.push_back(turn);
}

void PlotData::end(std::uint64_t run, const RunEnd& end) {
    if (plan.pointOf(run) != point) {
        writePoint();
        point = plan.pointOf(run);
    }
    if (end.outcome == RunOutcome::Played)
        addRun();
    runTurns.clear();
    recordedIndex = 0;
}

void PlotData::addRun() {
    if (figures.size() < runTurns.size())
        figures.resize(runTurns.size());
    for (std::size_t i = 0; i < runTurns.size(); ++i) {
        Figures& f = figures[i];
        const Census& census = runTurns[i].census;
        const bool first = f.runs++ == 0;
        f.turn = runTurns[i].turn;
        f.preySum += static_cast<double>(census.prey);
        f.predatorSum += static_cast<double>(census.predators);
        f.preyLeast = first ? census.prey : std::min(f.preyLeast, census.prey);
        f.preyMost = first ? census.prey : std::max(f.preyMost, census.prey);
        f.predatorsLeast = first ? census.predators : std::min(f.predatorsLeast, census.predators);
        f.predatorsMost = first ? census.predators : std::max(f.predatorsMost, census.predators);
    }
}

void PlotData::writePoint() {
    if (figures.empty() || !file) {
        figures.clear();
        return;
    }
    // turn, mean prey, least, most, mean predators, least, most
    for (const Figures& f : figures) {
        const double runs = static_cast<double>(f.runs);
        std::fprintf(file, "%llu %.6g %llu %llu %.6g %llu %llu\n",
                     static_cast<unsigned long long>(f.turn), f.preySum / runs,
                     static_cast<unsigned long long>(f.preyLeast),
                     static_cast<unsigned long long>(f.preyMost), f.predatorSum / runs,
                     static_cast<unsigned long long>(f.predatorsLeast),
                     static_cast<unsigned long long>(f.predatorsMost));
    }
    std::fputs("\n\n", file);
    const double shade = plan.points() > 1
                             ? static_cast<double>(point) / static_cast<double>(plan.points() - 1)
                             : 0.0;
    drawn.push_back({label(plan, point), shade});
    figures.clear();
}

void PlotData::finish() {
    writePoint();
    point = UINT64_MAX;
    if (file && std::fflush(file) != 0)
        problem = std::string("cannot write the plot's data: ") + std::strerror(errno);
}
