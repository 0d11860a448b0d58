#pragma once
// Where the results of a sweep's runs go once they are in run order: every
// run's recorded turns, then its end, run after run. The table, the summary,
// the plot's data, the report of runs not played and the progress are sinks.
#include <cstdint>
#include <vector>

#include "tools/sweep/ExperimentRun.h"

class RunSink {
public:
    virtual ~RunSink() = default;
    virtual void turn(std::uint64_t run, const RecordedTurn& turn) = 0;
    virtual void end(std::uint64_t run, const RunEnd& end) = 0;
};

// Hands every event on to each of several sinks, in the order they were added.
class SinkList : public RunSink {
public:
    void add(RunSink& sink) { sinks.push_back(&sink); }
    void turn(std::uint64_t run, const RecordedTurn& turn) override;
    void end(std::uint64_t run, const RunEnd& end) override;

private:
    std::vector<RunSink*> sinks;
};
