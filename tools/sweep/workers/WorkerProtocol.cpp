#include "tools/sweep/workers/WorkerProtocol.h"

#include <utility>

namespace protocol {

namespace {

constexpr char turnTag = 'T';
constexpr char endTag = 'E';
constexpr std::size_t turnSize = 1 + 4 * 8;
constexpr std::size_t endHeadSize = 1 + 1 + 8 + 1 + 8 + 4;

void appendNumber(std::string& bytes, std::uint64_t value, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i)
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint64_t readNumber(std::string_view bytes, std::size_t at, std::size_t size) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < size; ++i)
        value |= std::uint64_t{static_cast<unsigned char>(bytes[at + i])} << (8 * i);
    return value;
}

} // namespace

void appendTurn(std::string& bytes, const RecordedTurn& turn) {
    bytes.push_back(turnTag);
    appendNumber(bytes, turn.turn, 8);
    appendNumber(bytes, turn.census.obstacles, 8);
    appendNumber(bytes, turn.census.prey, 8);
    appendNumber(bytes, turn.census.predators, 8);
}

std::string runBytes(std::uint64_t run) {
    std::string bytes;
    appendNumber(bytes, run, runNumberSize);
    return bytes;
}

std::uint64_t readRun(std::string_view bytes) {
    return readNumber(bytes, 0, runNumberSize);
}

void appendEnd(std::string& bytes, const RunEnd& end) {
    const std::string_view message = std::string_view(end.message).substr(0, maxMessageLength);
    bytes.push_back(endTag);
    appendNumber(bytes, static_cast<std::uint64_t>(end.outcome), 1);
    appendNumber(bytes, end.turnsPlayed, 8);
    appendNumber(bytes, end.preyGoneTurn ? 1 : 0, 1);
    appendNumber(bytes, end.preyGoneTurn.value_or(0), 8);
    appendNumber(bytes, message.size(), 4);
    bytes.append(message);
}

bool Decoder::feed(std::string_view bytes, Handler& handler) {
    if (broken)
        return false;
    std::string_view rest = bytes;
    if (!pending.empty()) {
        pending.append(bytes);
        rest = pending;
    }
    std::size_t used = 0;
    for (;;) {
        const std::ptrdiff_t taken = decodeOne(rest.substr(used), handler);
        if (taken < 0) {
            broken = true;
            pending.clear();
            return false;
        }
        if (taken == 0)
            break;
        used += static_cast<std::size_t>(taken);
    }
    pending = std::string(rest.substr(used));
    return true;
}

std::ptrdiff_t Decoder::decodeOne(std::string_view bytes, Handler& handler) {
    if (bytes.empty())
        return 0;
    if (sawEnd)
        return -1;
    if (bytes[0] == turnTag) {
        if (bytes.size() < turnSize)
            return 0;
        handler.turn(
            {readNumber(bytes, 1, 8),
             {readNumber(bytes, 9, 8), readNumber(bytes, 17, 8), readNumber(bytes, 25, 8)}});
        return static_cast<std::ptrdiff_t>(turnSize);
    }
    if (bytes[0] != endTag)
        return -1;
    if (bytes.size() < endHeadSize)
        return 0;
    const std::uint64_t outcome = readNumber(bytes, 1, 1);
    const std::uint64_t length = readNumber(bytes, 19, 4);
    if (outcome > static_cast<std::uint64_t>(RunOutcome::Failed) || length > maxMessageLength)
        return -1;
    if (bytes.size() < endHeadSize + length)
        return 0;
    RunEnd end;
    end.outcome = static_cast<RunOutcome>(outcome);
    end.turnsPlayed = readNumber(bytes, 2, 8);
    if (readNumber(bytes, 10, 1) != 0)
        end.preyGoneTurn = readNumber(bytes, 11, 8);
    end.message = std::string(bytes.substr(endHeadSize, length));
    sawEnd = true;
    handler.end(end);
    return static_cast<std::ptrdiff_t>(endHeadSize + length);
}

ChunkedRecorder::ChunkedRecorder(std::string chunkHeading)
    : heading(std::move(chunkHeading)), bytes(heading) {}

void ChunkedRecorder::record(const RecordedTurn& turn) {
    appendTurn(bytes, turn);
    if (bytes.size() >= chunkBytes)
        flush();
}

void ChunkedRecorder::finish(const RunEnd& end) {
    appendEnd(bytes, end);
    flush();
}

void ChunkedRecorder::flush() {
    send(bytes);
    bytes = heading;
}

} // namespace protocol

void RunForwarder::turn(const RecordedTurn& turn) {
    if (turnNote)
        *turnNote = turn.turn;
    sink.turn(run, turn);
}

void RunForwarder::end(const RunEnd& end) {
    sink.end(run, end);
}
