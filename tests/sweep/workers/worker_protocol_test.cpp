#include <gtest/gtest.h>

#include <random>

#include "tools/sweep/workers/WorkerProtocol.h"

namespace {

struct Collected : protocol::Decoder::Handler {
    void turn(const RecordedTurn& turn) override { turns.push_back(turn); }
    void end(const RunEnd& end) override { ends.push_back(end); }
    std::vector<RecordedTurn> turns;
    std::vector<RunEnd> ends;
};

const std::vector<RecordedTurn> someTurns = {
    {0, {84, 60, 6}}, {5, {84, 55, 6}}, {UINT64_MAX, {UINT64_MAX, 1ULL << 40, 0}}};

std::string reportOf(const RunEnd& end) {
    std::string bytes;
    for (const RecordedTurn& turn : someTurns)
        protocol::appendTurn(bytes, turn);
    protocol::appendEnd(bytes, end);
    return bytes;
}

} // namespace

TEST(WorkerProtocol, CarriesEveryFieldAcrossWhereverTheBytesAreCut) {
    const RunEnd ends[] = {
        {RunOutcome::Played, 300, 212, ""},
        {RunOutcome::Refused, 0, std::nullopt, "The grid is too small, \"x\".\n"},
        {RunOutcome::OutOfMemory, 7, 0, std::string(1000, 'm')}};
    std::mt19937 cuts(5);
    for (const RunEnd& end : ends) {
        const std::string bytes = reportOf(end);
        for (int attempt = 0; attempt < 20; ++attempt) {
            protocol::Decoder decoder;
            Collected got;
            for (std::size_t at = 0; at < bytes.size();) {
                const std::size_t piece = attempt == 0 ? 1 : 1 + cuts() % 40;
                ASSERT_TRUE(decoder.feed(std::string_view(bytes).substr(at, piece), got));
                at += piece;
            }
            EXPECT_EQ(got.turns, someTurns);
            ASSERT_EQ(got.ends.size(), 1u);
            EXPECT_EQ(got.ends[0], end);
            EXPECT_TRUE(decoder.ended());
        }
    }
}

TEST(WorkerProtocol, RefusesBytesThatAreNotItsMessages) {
    std::string afterEnd = reportOf({});
    protocol::appendTurn(afterEnd, someTurns[0]);
    std::string badOutcome = reportOf({});
    badOutcome[someTurns.size() * 33 + 1] = 9;
    std::string tooLong;
    protocol::appendEnd(tooLong, {});
    tooLong[22] = '\x01'; // a message length past 16 MB
    for (const std::string& bytes : {std::string("X"), afterEnd, badOutcome, tooLong}) {
        protocol::Decoder decoder;
        Collected got;
        EXPECT_FALSE(decoder.feed(bytes, got));
        EXPECT_FALSE(decoder.feed(reportOf({}), got)) << "a broken stream stays broken";
    }
}

TEST(WorkerProtocol, KeepsAnUnfinishedMessageForTheRestAndWritesLittleEndian) {
    std::string bytes;
    protocol::appendTurn(bytes, {0x0102, {1, 2, 3}});
    EXPECT_EQ(bytes.substr(0, 3), std::string("T\x02\x01", 3));
    protocol::Decoder decoder;
    Collected got;
    EXPECT_TRUE(decoder.feed(bytes.substr(0, 32), got));
    EXPECT_TRUE(got.turns.empty());
    EXPECT_TRUE(decoder.feed(bytes.substr(32), got));
    EXPECT_EQ(got.turns.size(), 1u);
    EXPECT_FALSE(decoder.ended());
}
