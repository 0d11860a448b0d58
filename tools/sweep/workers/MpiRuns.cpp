#include "tools/sweep/workers/MpiRuns.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <map>
#include <mpi.h>
#include <string>
#include <thread>
#include <vector>

#include "tools/sweep/workers/Interruption.h"
#include "tools/sweep/workers/WorkerProtocol.h"

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
// tag or source when negative); false when the process was interrupted meanwhile.
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

// Rank 0 alone: its reports go straight to the results; an interruption
// ends the run at its next recorded turn.
class DirectRecorder : public RunRecorder {
public:
    struct Abandoned {};
    DirectRecorder(RunResults& sweepResults, std::uint64_t playing)
        : results(sweepResults), run(playing) {}
    void record(const RecordedTurn& turn) override {
        if (results.stopping() == SweepState::Interrupted)
            throw Abandoned();
        results.turn(run, turn);
    }

private:
    RunResults& results;
    std::uint64_t run;
};

// Rank 0 plays every run itself, one after the other.
SweepState playAlone(RunResults& results) {
    const RunSequence& runs = results.runs();
    for (std::uint64_t position = 0; position < runs.size(); ++position) {
        if (const SweepState stop = results.stopping(); stop != SweepState::Running)
            return stop;
        const std::uint64_t run = runs.at(position);
        DirectRecorder recorder(results, run);
        try {
            results.end(run, playRun(results.request(run), recorder));
        } catch (const DirectRecorder::Abandoned&) {
            return SweepState::Interrupted;
        }
    }
    return SweepState::Complete;
}

// Rank 0 with players: the state of handing out runs and taking reports.
class Coordinator {
public:
    explicit Coordinator(RunResults& sweepResults)
        : results(sweepResults), players(rankCount() - 1) {
        for (int rank = 1; rank <= players; ++rank)
            idle.push_back(rank);
    }

    void handOut();
    // Takes one report if one has arrived; false when none had.
    bool takeReport();

private:
    RunResults& results;
    int players;
    std::vector<int> idle;
    std::map<int, protocol::Decoder> decoders;
    std::uint64_t nextStart = 0;
};

void Coordinator::handOut() {
    while (!idle.empty() && results.mayStart(nextStart, static_cast<std::uint64_t>(players))) {
        const int rank = idle.back();
        idle.pop_back();
        decoders[rank] = protocol::Decoder();
        sendBytes(protocol::runBytes(results.runs().at(nextStart++)), rank, playTag);
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
    RunForwarder forwarder(results, run);
    if (!decoder.feed(std::string_view(bytes).substr(protocol::runNumberSize), forwarder))
        MPI_Abort(MPI_COMM_WORLD, 1);
    if (decoder.ended())
        idle.push_back(status.MPI_SOURCE);
    return true;
}

} // namespace

bool shareSettings(SweepOptions& options, std::string& problem) {
    int rank = 0;
    MPI_Comm_rank(MPI_COMM_WORLD, &rank);
    // The text's length, or "unreadable"; then the text, a piece at a time.
    constexpr std::uint64_t unreadable = UINT64_MAX;
    std::uint64_t length = unreadable;
    if (rank == 0 && options.loadSettings(problem))
        length = options.settingsText->size();
    MPI_Bcast(&length, 1, MPI_UINT64_T, 0, MPI_COMM_WORLD);
    if (length == unreadable)
        return false;
    std::string text = rank == 0 ? *options.settingsText : std::string(length, '\0');
    constexpr std::uint64_t piece = 1 << 30;
    for (std::uint64_t at = 0; at < length; at += piece)
        MPI_Bcast(text.data() + at, static_cast<int>(std::min(piece, length - at)), MPI_BYTE, 0,
                  MPI_COMM_WORLD);
    options.settingsText = std::make_shared<const std::string>(std::move(text));
    return true;
}

std::string Ranks::description() const {
    const int ranks = rankCount();
    return ranks == 1 ? std::string("1 MPI rank, playing every run itself")
                      : std::to_string(ranks) + " MPI ranks: rank 0 writes, " +
                            std::to_string(ranks - 1) + " play runs";
}

SweepState Ranks::playAll(RunResults& results) {
    if (rankCount() == 1)
        return playAlone(results);
    Coordinator coordinator(results);
    while (!results.finished()) {
        if (const SweepState stop = results.stopping(); stop != SweepState::Running)
            return stop;
        coordinator.handOut();
        if (!coordinator.takeReport()) {
            results.waiting();
            pause();
        }
    }
    return SweepState::Complete;
}

void serve(const std::function<RunRequest(std::uint64_t run)>& requestFor) {
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
