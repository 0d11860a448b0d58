#include "tools/MpiRuns.h"

#include <chrono>
#include <map>
#include <mpi.h>
#include <string>
#include <thread>
#include <vector>

#include "tools/Interruption.h"
#include "tools/WorkerProtocol.h"

namespace mpiruns {

namespace {

constexpr int playTag = 1;
constexpr int stopTag = 2;
constexpr int reportTag = 3;

void pause() {
    std::this_thread::sleep_for(std::chrono::microseconds(500));
}

int rankCount() {
    int size = 1;
    MPI_Comm_size(MPI_COMM_WORLD, &size);
    return size;
}

void sendBytes(const std::string& bytes, int rank, int tag) {
    MPI_Send(bytes.data(), static_cast<int>(bytes.size()), MPI_BYTE, rank, tag, MPI_COMM_WORLD);
}

// Waits, sleeping between looks, for a message of the tag from the rank (any
// tag or source when negative); false when the sweep was interrupted meanwhile.
bool waitFor(int source, int tag, MPI_Status& status) {
    for (;;) {
        int arrived = 0;
        MPI_Iprobe(source < 0 ? MPI_ANY_SOURCE : source, tag < 0 ? MPI_ANY_TAG : tag,
                   MPI_COMM_WORLD, &arrived, &status);
        if (arrived)
            return true;
        if (interruption::requested())
            return false;
        pause();
    }
}

std::string receive(const MPI_Status& status) {
    int size = 0;
    MPI_Get_count(&status, MPI_BYTE, &size);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    MPI_Recv(bytes.data(), size, MPI_BYTE, status.MPI_SOURCE, status.MPI_TAG, MPI_COMM_WORLD,
             MPI_STATUS_IGNORE);
    return bytes;
}

// A rank's reports, sent to rank 0 a chunk at a time.
class RankRecorder : public protocol::ChunkedRecorder {
public:
    explicit RankRecorder(std::uint64_t run) : ChunkedRecorder(protocol::runBytes(run)) {}

private:
    void send(const std::string& chunk) override { sendBytes(chunk, 0, reportTag); }
};

// Rank 0 alone: its reports go straight to the run order; an interruption
// ends the run at its next recorded turn.
class DirectRecorder : public RunRecorder {
public:
    struct Abandoned {};
    DirectRecorder(OrderedRuns& orderedRuns, std::uint64_t playing)
        : ordered(orderedRuns), run(playing) {}
    void record(const RecordedTurn& turn) override {
        if (interruption::requested())
            throw Abandoned();
        ordered.turn(run, turn);
    }

private:
    OrderedRuns& ordered;
    std::uint64_t run;
};

// Rank 0 plays every run itself. Each run ends in the run order at once, and
// the sweep's report there moves the progress on.
PlayingStop playAlone(const RunSequence& runs, OrderedRuns& ordered,
                      const std::function<bool()>& outputFailed, const Requests& requestFor) {
    for (std::uint64_t position = 0; position < runs.size(); ++position) {
        if (interruption::requested())
            return PlayingStop::Interrupted;
        if (outputFailed())
            return PlayingStop::OutputFailed;
        const std::uint64_t run = runs.at(position);
        DirectRecorder recorder(ordered, run);
        try {
            ordered.end(run, playRun(requestFor(run), recorder));
        } catch (const DirectRecorder::Abandoned&) {
            return PlayingStop::Interrupted;
        }
    }
    return PlayingStop::Finished;
}

// Rank 0 with players: the state of handing out runs and taking reports.
class Coordinator {
public:
    Coordinator(const RunSequence& sequence, OrderedRuns& orderedRuns)
        : runs(sequence), ordered(orderedRuns), players(rankCount() - 1) {
        for (int rank = 1; rank <= players; ++rank)
            idle.push_back(rank);
    }

    void handOut();
    // Takes one report if one has arrived; false when none had.
    bool takeReport();

private:
    const RunSequence& runs;
    OrderedRuns& ordered;
    int players;
    std::vector<int> idle;
    std::map<int, protocol::Decoder> decoders;
    std::uint64_t nextStart = 0;
};

void Coordinator::handOut() {
    while (!idle.empty() && ordered.mayStart(nextStart, static_cast<std::uint64_t>(players))) {
        const int rank = idle.back();
        idle.pop_back();
        decoders[rank] = protocol::Decoder();
        sendBytes(protocol::runBytes(runs.at(nextStart++)), rank, playTag);
    }
}

bool Coordinator::takeReport() {
    int arrived = 0;
    MPI_Status status;
    MPI_Iprobe(MPI_ANY_SOURCE, reportTag, MPI_COMM_WORLD, &arrived, &status);
    if (!arrived)
        return false;
    const std::string bytes = receive(status);
    if (bytes.size() < protocol::runNumberSize)
        MPI_Abort(MPI_COMM_WORLD, 1);
    const std::uint64_t run = protocol::readRun(bytes);
    protocol::Decoder& decoder = decoders[status.MPI_SOURCE];
    RunForwarder forwarder(ordered, run);
    if (!decoder.feed(std::string_view(bytes).substr(protocol::runNumberSize), forwarder))
        MPI_Abort(MPI_COMM_WORLD, 1);
    if (decoder.ended())
        idle.push_back(status.MPI_SOURCE);
    return true;
}

} // namespace

PlayingStop coordinate(const RunSequence& runs, OrderedRuns& ordered, Progress& progress,
                       const std::function<bool()>& outputFailed, const Requests& requestFor) {
    if (rankCount() == 1)
        return playAlone(runs, ordered, outputFailed, requestFor);
    Coordinator coordinator(runs, ordered);
    while (!ordered.finished()) {
        if (interruption::requested())
            return PlayingStop::Interrupted;
        if (outputFailed())
            return PlayingStop::OutputFailed;
        coordinator.handOut();
        if (!coordinator.takeReport()) {
            progress.tick();
            pause();
        }
    }
    return PlayingStop::Finished;
}

void serve(const Requests& requestFor) {
    MPI_Status status;
    while (waitFor(0, -1, status)) {
        const std::string bytes = receive(status);
        if (status.MPI_TAG == stopTag || bytes.size() < protocol::runNumberSize)
            return;
        const std::uint64_t run = protocol::readRun(bytes);
        RankRecorder recorder(run);
        recorder.finish(playRun(requestFor(run), recorder));
    }
}

void stopRanks() {
    for (int rank = 1; rank < rankCount(); ++rank)
        sendBytes("", rank, stopTag);
}

} // namespace mpiruns
