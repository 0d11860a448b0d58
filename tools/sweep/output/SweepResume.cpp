#include "tools/sweep/output/SweepResume.h"

#include <charconv>
#include <optional>
#include <vector>

#include "tools/sweep/output/Csv.h"
#include "tools/sweep/output/SweepTables.h"
#include "tools/sweep/output/TableReader.h"

namespace {

std::optional<std::uint64_t> numberOf(std::string_view field) {
    std::uint64_t number = 0;
    const char* const end = field.data() + field.size();
    const auto [stop, error] = std::from_chars(field.data(), end, number);
    if (field.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return number;
}

// The fields of a record after the run's leading fields, without its line feed.
std::optional<std::vector<std::string>> ownFields(const std::string& record,
                                                  const std::string& prefix, std::size_t count) {
    if (!record.starts_with(prefix) || !record.ends_with('\n'))
        return std::nullopt;
    auto fields = csv::fields(std::string_view(record).substr(prefix.size(),
                                                              record.size() - prefix.size() - 1));
    if (!fields || fields->size() != count)
        return std::nullopt;
    return fields;
}

// "turn,obstacles,prey,predators" of a table row.
std::optional<RecordedTurn> turnOf(const std::string& record, const std::string& prefix) {
    const auto fields = ownFields(record, prefix, 4);
    if (!fields)
        return std::nullopt;
    std::optional<std::uint64_t> numbers[4];
    for (std::size_t i = 0; i < 4; ++i) {
        if (!(numbers[i] = numberOf((*fields)[i])))
            return std::nullopt;
    }
    return RecordedTurn{*numbers[0], {*numbers[1], *numbers[2], *numbers[3]}};
}

// The end of a run as its summary row tells it.
std::optional<RunEnd> endOf(const std::string& record, const std::string& prefix) {
    const auto fields = ownFields(record, prefix, 10);
    if (!fields)
        return std::nullopt;
    RunEnd end;
    const std::optional<std::uint64_t> turns = numberOf((*fields)[0]);
    if (!turns)
        return std::nullopt;
    end.turnsPlayed = *turns;
    if (!(*fields)[4].empty() && !(end.preyGoneTurn = numberOf((*fields)[4])))
        return std::nullopt;
    end.message = (*fields)[9];
    for (RunOutcome outcome : {RunOutcome::Played, RunOutcome::Refused, RunOutcome::OutOfMemory,
                               RunOutcome::Failed}) {
        if ((*fields)[8] == outcomeName(outcome)) {
            end.outcome = outcome;
            return end;
        }
    }
    return std::nullopt;
}

// The position in the sequence of the run a record begins with, if it is one of them.
std::optional<std::uint64_t> positionOf(const std::string& record, const RunSequence& runs) {
    const std::optional<std::uint64_t> run = numberOf(record.substr(0, record.find(',')));
    if (!run || !runs.holds(*run))
        return std::nullopt;
    return runs.positionOf(*run);
}

// The rows of one run in the table, held until it is known whether it is kept.
struct RunRows {
    std::uint64_t position = 0;
    std::vector<RecordedTurn> turns;
    // The bytes of the table before its first row.
    std::uint64_t startBytes = 0;
};

// The end of a kept run whose own rows (if any) are `rows`: the summary's when
// there is one; without it, played when its rows reach the last turn, failed
// when they stop short, refused when it has none.
RunEnd keptEnd(const RunEnd* summarised, const RunRows* rows, bool whole, std::uint64_t turns) {
    if (summarised)
        return *summarised;
    if (whole)
        return RunEnd{RunOutcome::Played, turns, {}, ""};
    if (rows)
        return RunEnd{RunOutcome::Failed, rows->turns.back().turn, std::nullopt, ""};
    return RunEnd{RunOutcome::Refused, 0, std::nullopt, ""};
}

// How many rows a run played to its last turn has: turns 0, K, 2K, ... and N.
std::uint64_t recordedTurns(std::uint64_t turns, std::uint64_t every) {
    return turns / every + 1 + (turns % every != 0 ? 1 : 0);
}

// A file that ends before its header is whole is kept as nothing (its header
// is written anew); anything else there is not the file of this sweep.
bool beforeHeader(const std::string& file, const std::string& start, const std::string& header,
                  std::string& problem) {
    if (header.starts_with(start))
        return true;
    problem = file + " does not begin with the header of this sweep";
    return false;
}

} // namespace

std::string resumeDifference(const SweepRecord& theirs, const SweepRecord& ours) {
    if (theirs["content"] != ours["content"])
        return "it is a " + theirs["content"].get<std::string>() + ", not a " +
               ours["content"].get<std::string>();
    if (std::string difference = sweepDifference(theirs, ours); !difference.empty())
        return difference;
    if (theirs["shard"] != ours["shard"])
        return "shard " + theirs["shard"].get<std::string>() + ", not " +
               ours["shard"].get<std::string>();
    return "";
}

bool SweepResume::read(const SweepRecord& tableRecord, const SweepRecord& summaryRecord,
                       RunSink& keptRuns, std::string& problem) {
    const auto check = [&](const std::string& file, const SweepRecord& ours) {
        const std::optional<SweepRecord> theirs = readRecordBeside(file, problem);
        if (theirs && !(problem = resumeDifference(*theirs, ours)).empty())
            problem = file + " is not of this sweep: " + problem;
        if (theirs && problem.empty() && &ours == &tableRecord)
            earlier = sessionsOf(*theirs);
        return problem.empty();
    };
    if (!check(options.table, tableRecord) ||
        (options.summary && !check(*options.summary, summaryRecord)))
        return false;
    return (!options.summary || readSummary(problem)) && readTable(keptRuns, problem);
}

bool SweepResume::readSummary(std::string& problem) {
    const std::string& file = *options.summary;
    TableReader in(file);
    std::string record;
    if (!in.next(record)) {
        // Killed before its header was written: nothing to keep.
        return beforeHeader(file, record, summaryHeader(options.plan), problem);
    }
    if (record != summaryHeader(options.plan)) {
        problem = file + " does not begin with the header of this sweep's summary";
        return false;
    }
    const RunSequence runs = options.sequence();
    while (in.next(record)) {
        const std::optional<RunEnd> end =
            ends.size() < runs.size() ? endOf(record, runPrefix(options.plan, runs.at(ends.size())))
                                      : std::nullopt;
        if (!end) {
            problem = file + " holds a row that is not the next run of this sweep: " +
                      record.substr(0, record.find('\n'));
            return false;
        }
        ends.push_back(*end);
    }
    kept = ends.size();
    summaryKept = in.wholeBytes();
    return true;
}

bool SweepResume::readTable(RunSink& keptRuns, std::string& problem) {
    const std::string& file = options.table;
    TableReader in(file);
    std::string record;
    if (!in.next(record)) {
        kept = 0;
        return beforeHeader(file, record, tableHeader(options.plan), problem);
    }
    if (record != tableHeader(options.plan)) {
        problem = file + " does not begin with the header of this sweep's table";
        return false;
    }
    const RunSequence runs = options.sequence();
    const bool summarised = options.summary.has_value();
    const std::uint64_t complete = recordedTurns(options.turns, options.every);
    std::uint64_t ended = 0;
    // Hands on the runs before `position`: the rows of `rows` when its run is
    // among them, and each run's end. Without a summary, a run without rows
    // counts as refused and one whose rows stop short as failed. False when
    // the summary says a run was played whose rows the table does not hold.
    const auto endRunsBefore = [&](std::uint64_t position, const RunRows* rows) {
        for (; ended < position; ++ended) {
            const std::uint64_t run = runs.at(ended);
            const bool own = rows && rows->position == ended;
            const bool whole = own && rows->turns.size() == complete &&
                               rows->turns.back().turn == options.turns;
            if (summarised && ends[ended].outcome == RunOutcome::Played && !whole) {
                problem = file + " lacks rows of run " + std::to_string(run) + " that " +
                          *options.summary + " lists as played";
                return false;
            }
            for (std::size_t i = 0; own && i < rows->turns.size(); ++i)
                keptRuns.turn(run, rows->turns[i]);
            keptRuns.end(run, keptEnd(summarised ? &ends[ended] : nullptr, own ? rows : nullptr,
                                      whole, options.turns));
        }
        return true;
    };
    std::optional<RunRows> rows;
    for (std::uint64_t before = in.wholeBytes(); in.next(record); before = in.wholeBytes()) {
        const std::optional<std::uint64_t> position = positionOf(record, runs);
        const std::uint64_t run = position ? runs.at(*position) : 0;
        const std::optional<RecordedTurn> turn =
            position ? turnOf(record, runPrefix(options.plan, run)) : std::nullopt;
        if (!turn || (rows && *position < rows->position) || (summarised && *position > kept)) {
            problem = file + " holds a row that is not a row of this sweep in run order: " +
                      record.substr(0, record.find('\n'));
            return false;
        }
        if (!rows || rows->position != *position) {
            if (rows && !endRunsBefore(rows->position + 1, &*rows))
                return false;
            rows = RunRows{*position, {}, before};
        }
        rows->turns.push_back(*turn);
    }
    // The last run with rows is complete when the summary lists it, or when
    // without a summary it reached its last turn.
    const bool lastComplete =
        rows && (summarised ? rows->position < kept
                            : rows->turns.size() == complete &&
                                  rows->turns.back().turn == options.turns);
    if (!summarised)
        kept = rows ? rows->position + (lastComplete ? 1 : 0) : 0;
    tableKept = rows && !lastComplete ? rows->startBytes : in.wholeBytes();
    return endRunsBefore(kept, rows && lastComplete ? &*rows : nullptr);
}
