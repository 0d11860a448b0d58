#pragma once
// Puts what workers report back into run order. Runs finish in any order when
// several play at once; what the next run in order reports goes straight on to
// the sink, and what a later run reports is held until every run before it has
// ended. So the sink sees each run whole, runs in the order of the sequence,
// whatever played them, and only the runs ahead of the next one are held.
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "tools/ExperimentRun.h"
#include "tools/RunPlan.h"
#include "tools/WorkerProtocol.h"

// How the playing of a sequence ended, whoever played it.
enum class PlayingStop { Finished, Interrupted, OutputFailed };

// Receives each run's turns, then its end, run after run in order.
class RunSink {
public:
    virtual ~RunSink() = default;
    virtual void turn(std::uint64_t run, const RecordedTurn& turn) = 0;
    virtual void end(std::uint64_t run, const RunEnd& end) = 0;
};

// A report for a run that is not in the sequence, or that has ended already,
// is ignored: one run never ends twice.
class OrderedRuns {
public:
    OrderedRuns(const RunSequence& sequence, RunSink& sink);

    void turn(std::uint64_t run, const RecordedTurn& turn);
    void end(std::uint64_t run, const RunEnd& end);

    // The position in the sequence of the first run that has not ended yet.
    std::uint64_t nextPosition() const { return next; }
    // Whether the run at `position` of the sequence may start, with `workers`
    // playing at once: while it lies fewer than 2 x workers runs ahead of the
    // next run to be written, so that the reports held stay a few runs' worth.
    bool mayStart(std::uint64_t position, std::uint64_t workers) const {
        return position < runs.size() && position < next + 2 * workers;
    }
    bool finished() const { return next >= runs.size(); }
    // How many runs ahead of the next one have something held.
    std::size_t heldRuns() const { return held.size(); }

private:
    struct Held {
        std::vector<RecordedTurn> turns;
        std::optional<RunEnd> end;
    };
    // Hands on every held run that is now next, while they have ended.
    void release();

    const RunSequence& runs;
    RunSink& sink;
    std::uint64_t next = 0;
    std::map<std::uint64_t, Held> held;
};

// What a worker reports for its run, as it is decoded, handed on to the run
// order under the run's number. The last turn handed on is noted in
// `lastTurn`, when given.
class RunForwarder : public protocol::Decoder::Handler {
public:
    RunForwarder(OrderedRuns& orderedRuns, std::uint64_t reportedRun,
                 std::uint64_t* lastTurn = nullptr)
        : ordered(orderedRuns), run(reportedRun), turnNote(lastTurn) {}
    void turn(const RecordedTurn& turn) override;
    void end(const RunEnd& end) override;

private:
    OrderedRuns& ordered;
    std::uint64_t run;
    std::uint64_t* turnNote;
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
