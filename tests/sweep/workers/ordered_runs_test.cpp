#include <gtest/gtest.h>

#include "tools/sweep/workers/OrderedRuns.h"

namespace {

// Writes what it is handed as "run:turn" and "run:end" words.
struct Transcript : RunSink {
    void turn(std::uint64_t run, const RecordedTurn& turn) override {
        text += std::to_string(run) + ":" + std::to_string(turn.turn) + " ";
    }
    void end(std::uint64_t run, const RunEnd&) override { text += std::to_string(run) + ":end "; }
    std::string text;
};

} // namespace

TEST(OrderedRuns, HandsOnRunsWholeAndInOrderWhateverOrderTheyFinishIn) {
    const RunSequence runs(6, 2, 2); // runs 1, 3, 5
    Transcript transcript;
    OrderedRuns ordered(runs, transcript);
    ordered.turn(5, {0, {}});
    ordered.turn(3, {0, {}});
    ordered.turn(1, {0, {}});
    EXPECT_EQ(transcript.text, "1:0 ");
    ordered.end(5, {});
    ordered.turn(3, {1, {}});
    ordered.end(1, {});
    // Run 3 is next now: what it sent comes at once, and so will the rest.
    EXPECT_EQ(transcript.text, "1:0 1:end 3:0 3:1 ");
    ordered.turn(3, {2, {}});
    EXPECT_FALSE(ordered.finished());
    ordered.end(3, {});
    EXPECT_EQ(transcript.text, "1:0 1:end 3:0 3:1 3:2 3:end 5:0 5:end ");
    EXPECT_TRUE(ordered.finished());
}

TEST(OrderedRuns, IgnoresReportsOfRunsEndedAlreadyOrNotInTheSequence) {
    const RunSequence runs(6, 1, 2); // runs 0, 2, 4
    Transcript transcript;
    OrderedRuns ordered(runs, transcript);
    ordered.end(0, {});
    ordered.end(0, {});
    ordered.turn(0, {9, {}});
    ordered.turn(1, {0, {}});
    ordered.end(3, {});
    ordered.end(6, {});
    ordered.end(4, {});
    ordered.end(2, {});
    EXPECT_EQ(transcript.text, "0:end 2:end 4:end ");
    EXPECT_TRUE(ordered.finished());
}
