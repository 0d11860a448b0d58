#pragma once
// The worker protocol: how the place that plays a run tells the sweep what
// happened in it. Workers are forked processes (lurkfield-sweep, one process
// per run, over a pipe) or MPI ranks (lurkfield-sweep-mpi, over messages);
// both speak these messages, and both play a run with playRun alone.
//
// What a worker sends for one run, in this order:
//   TURN  once for every recorded turn, in turn order: the turn and its census
//   END   exactly once, last: the outcome, the turns played, the first turn
//         without prey (if any) and a message (empty when played)
// A run whose worker ends before its END (killed, crashed) is ended by the
// receiver as Failed; the TURNs received before stay valid.
//
// Encoding: a one-byte tag, then fixed fields; numbers are unsigned and little
// endian whatever the machine, so ranks on different machines agree.
//   TURN  'T' turn:u64 obstacles:u64 prey:u64 predators:u64          (33 bytes)
//   END   'E' outcome:u8 turnsPlayed:u64 hasPreyGone:u8 preyGone:u64
//         messageLength:u32 message bytes                             (23 + length)
// The bytes of one run may arrive cut anywhere (a pipe delivers what it has):
// the decoder keeps an unfinished message until the rest arrives.
//
// What the receiver honours: messages of a run are taken in the order sent;
// anything after END, an unknown tag, an outcome out of range or a message
// longer than maxMessageLength is a broken worker, reported as Failed.
//
// The MPI transport adds two tags of its own (see MpiRuns.h): the run number
// to play, sent to a rank, and the run number in front of every batch of these
// messages coming back.
#include <cstdint>
#include <string>
#include <string_view>

#include "tools/sweep/ExperimentRun.h"
#include "tools/sweep/RunSink.h"

namespace protocol {

inline constexpr std::uint32_t maxMessageLength = 64 * 1024;
// A run's reports travel in chunks of about this many bytes (a chunk ends with
// the message that reaches it), and a receiver reads at most this much at once.
inline constexpr std::size_t chunkBytes = 64 * 1024;

void appendTurn(std::string& bytes, const RecordedTurn& turn);
void appendEnd(std::string& bytes, const RunEnd& end);

// A run's number as the MPI transport sends it: u64, little endian, like the
// messages' numbers.
inline constexpr std::size_t runNumberSize = 8;
std::string runBytes(std::uint64_t run);
// The run number at the front of `bytes`, which hold at least runNumberSize bytes.
std::uint64_t readRun(std::string_view bytes);

// A run's reports in the protocol's bytes, handed on a chunk at a time: when
// chunkBytes have gathered, and at the run's end. Each way of sending (a worker's
// pipe, an MPI message) says what becomes of a chunk.
class ChunkedRecorder : public RunRecorder {
public:
    void record(const RecordedTurn& turn) override;
    void finish(const RunEnd& end);

protected:
    // Every chunk begins with `heading` (empty for none).
    explicit ChunkedRecorder(std::string heading = {});
    virtual void send(const std::string& chunk) = 0;

private:
    void flush();

    std::string heading;
    std::string bytes;
};

// Reads the messages of one run as their bytes arrive.
class Decoder {
public:
    class Handler {
      public:
        virtual ~Handler() = default;
        virtual void turn(const RecordedTurn& turn) = 0;
        virtual void end(const RunEnd& end) = 0;
    };

    // Decodes every whole message in what has arrived so far, in order.
    // Returns false, decoding no further, once the bytes are not the protocol's.
    bool feed(std::string_view bytes, Handler& handler);

    bool ended() const { return sawEnd; }

private:
    // Decodes one message from the front of `bytes`; returns the bytes it took,
    // 0 when the message is not whole yet, or -1 when it is not the protocol's.
    std::ptrdiff_t decodeOne(std::string_view bytes, Handler& handler);

    std::string pending;
    bool sawEnd = false;
    bool broken = false;
};

} // namespace protocol

// What a worker reports for its run, as it is decoded, handed on under the
// run's number (to the sweep's results, which put it in order). The last turn
// handed on is noted in `lastTurn`, when given.
class RunForwarder : public protocol::Decoder::Handler {
public:
    RunForwarder(RunSink& results, std::uint64_t reportedRun, std::uint64_t* lastTurn = nullptr)
        : sink(results), run(reportedRun), turnNote(lastTurn) {}
    void turn(const RecordedTurn& turn) override;
    void end(const RunEnd& end) override;

private:
    RunSink& sink;
    std::uint64_t run;
    std::uint64_t* turnNote;
};
