#pragma once
// The record of how a sweep's file was made: FILE.json beside every table or
// summary written to a file, and beside a file joined by --merge. It says
// which program and version made it, from what command line, in which folder
// and on which host, from which settings file and text (its first MiB), with
// which --set lines, varied keys, reps, seed rule, turns, --every and shard,
// who played the runs, when each session of the sweep started and ended, how
// it ended and how many runs were played or not; a joined file's record lists
// its parts instead of sessions. The sweep writes it (Provenance), --merge
// writes the joined file's, --resume and --merge read it back and ask whether
// two files are of one sweep (sweepDifference).
//
// Here it is typed, and turned into its JSON text and back, which needs no
// file and no process: the page writes the same record, with the same fields,
// by the same code. Texts may hold any bytes; the JSON keeps every one of them
// (RecordText.h).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/sweep/RunPlayer.h"
#include "tools/sweep/Shard.h"

struct SweepOptions;

// What a sweep's file holds.
enum class FileContent { Table, Summary };

// "table", "summary".
const char* contentName(FileContent content);
// How a sweep stands in its record: "running", "complete", "interrupted", "write failed".
const char* stateName(SweepState state);

// How many runs ended in each way.
struct OutcomeTally {
    std::uint64_t played = 0;
    std::uint64_t refused = 0;
    std::uint64_t outOfMemory = 0;
    std::uint64_t failed = 0;

    bool operator==(const OutcomeTally&) const = default;
    std::uint64_t notPlayed() const { return refused + outOfMemory + failed; }
    void count(RunOutcome outcome);
    OutcomeTally& operator+=(const OutcomeTally& more) {
        played += more.played;
        refused += more.refused;
        outOfMemory += more.outOfMemory;
        failed += more.failed;
        return *this;
    }
};

struct VariedRecord {
    std::string key;
    // VALUES as the user wrote them, and how many values they are.
    std::string values;
    std::uint64_t count = 0;

    bool operator==(const VariedRecord&) const = default;
};

// One time the sweep ran: a sweep played at once has one, every --resume adds one.
struct SessionRecord {
    std::string started;
    // Nothing while it runs, and for ever when it was killed outright.
    std::optional<std::string> ended;
    SweepState state = SweepState::Running;
    std::string workers;

    bool operator==(const SessionRecord&) const = default;
};

// One shard's file of a joined file.
struct PartRecord {
    std::string file;
    Shard shard;
    std::string host;
    std::string started;
    std::optional<std::string> ended;
    std::string workers;

    bool operator==(const PartRecord&) const = default;
};

struct SweepRecord {
    std::string program;
    std::string version;
    std::vector<std::string> commandLine;
    std::string workingDirectory;
    std::string host;
    std::string file;
    FileContent content = FileContent::Table;
    std::string settingsFile;
    std::string settingsText;
    // True when the settings text was longer than what the record keeps of it.
    bool settingsTextCut = false;
    // The --set lines as the settings file would hold them: "prey.number 7".
    std::vector<std::string> settingsLinesAdded;
    std::vector<VariedRecord> varied;
    std::uint64_t reps = 0;
    std::uint64_t runs = 0;
    Shard shard;
    std::uint64_t runsInShard = 0;
    std::uint64_t turns = 0;
    std::uint64_t every = 0;
    std::string seedRule;
    std::uint64_t firstSeed = 0;
    // Who played the runs: "2 worker processes at once (--jobs 2)".
    std::string workers;
    // The first session's start, the last one's end and state.
    std::string started;
    std::optional<std::string> ended;
    SweepState state = SweepState::Running;
    OutcomeTally tally;
    std::uint64_t peakMemoryKilobytes = 0;
    // Earliest first; none in a joined file's record.
    std::optional<std::vector<SessionRecord>> sessions;
    // When the parts of a joined file were joined, and the parts.
    std::optional<std::string> merged;
    std::optional<std::vector<PartRecord>> parts;

    bool operator==(const SweepRecord&) const = default;

    // What makes the sweep of these options the sweep it is: the version, the
    // settings file and its text, the --set lines, the varied keys, reps,
    // runs, the shard and its runs, turns, --every and the seed rule. The rest
    // (who made the file, when, how it went) is the maker's to fill in.
    static SweepRecord of(const SweepOptions& options);

    // Lists the sessions, earliest first, and takes the start, end and state from them.
    void setSessions(std::vector<SessionRecord> times);
    // The sessions listed, or the record's own start, end, state and workers
    // as one session when it lists none.
    std::vector<SessionRecord> sessionsSoFar() const;
};

// The JSON text of the record, with its last line feed.
std::string toJson(const SweepRecord& record);
// The record of a JSON text; nothing when it is not a record that
// lurkfield-sweep wrote (not JSON, another program's, a field missing or of
// another kind).
std::optional<SweepRecord> fromJson(std::string_view text);

// "" when the two records are of one sweep (the same version, settings text,
// --set lines, varied keys and values, reps, seed, turns and --every; the
// shard and the content are asked for apart); otherwise what differs, as the
// user would say it: "--turns 50, not 100".
std::string sweepDifference(const SweepRecord& theirs, const SweepRecord& ours);
// The same, and of the same content and shard: whether the file on disk
// (`theirs`) is the file of the sweep whose own record is `ours`.
std::string resumeDifference(const SweepRecord& theirs, const SweepRecord& ours);
