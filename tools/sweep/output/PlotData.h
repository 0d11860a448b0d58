#pragma once
// The figures a sweep's plot draws: for every design point and recorded turn,
// the mean, least and greatest number of prey and of predators over the
// point's played runs. Each point is written to a data file for gnuplot as soon
// as its runs are over (a block per point, blocks apart by two empty lines), so
// only one point's figures are held at a time. A run that was not played to the
// end is left out. Past maxTurns recorded turns a line keeps every m-th of them
// and the last, which a picture cannot tell apart anyway.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/sweep/RunPlan.h"
#include "tools/sweep/RunSink.h"

class PlotData : public RunSink {
public:
    // The most turns of one line.
    static constexpr std::uint64_t maxTurns = 2000;

    PlotData(const RunPlan& plan, std::uint64_t turns, std::uint64_t every);
    ~PlotData() override;
    PlotData(const PlotData&) = delete;
    PlotData& operator=(const PlotData&) = delete;

    void turn(std::uint64_t run, const RecordedTurn& turn) override;
    void end(std::uint64_t run, const RunEnd& end) override;
    // Writes the last point's block; the data file is then complete.
    void finish();

    // Empty when the data file could be made, otherwise why not.
    const std::string& error() const { return problem; }
    const std::string& dataFile() const { return path; }

    // One drawn line: its block in the data file, label and colour position (0..1).
    struct Line {
        std::string label;
        double shade;
    };
    const std::vector<Line>& lines() const { return drawn; }

private:
    struct Figures {
        std::uint64_t turn = 0;
        std::uint64_t runs = 0;
        double preySum = 0, predatorSum = 0;
        std::uint64_t preyLeast = 0, preyMost = 0, predatorsLeast = 0, predatorsMost = 0;
    };
    void addRun();
    void writePoint();

    const RunPlan& plan;
    std::uint64_t keepEvery;
    std::uint64_t lastTurn;
    std::uint64_t point = UINT64_MAX;
    std::uint64_t recordedIndex = 0;
    std::vector<RecordedTurn> runTurns;
    std::vector<Figures> figures;
    std::vector<Line> drawn;
    std::string path;
    std::FILE* file = nullptr;
    std::string problem;
};
