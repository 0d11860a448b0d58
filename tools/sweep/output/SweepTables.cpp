#include "tools/sweep/output/SweepTables.h"

#include <vector>

#include "tools/sweep/output/Columns.h"
#include "tools/sweep/output/Csv.h"

namespace {

// The header record: the leading columns, the varied keys, then `own`.
template <std::size_t N>
std::string headerWith(const RunPlan& plan, const std::array<std::string_view, N>& own) {
    std::vector<std::string> names(columns::leading.begin(), columns::leading.end());
    for (const VariedKey& key : plan.varied())
        names.push_back(key.key);
    names.insert(names.end(), own.begin(), own.end());
    return csv::header(names);
}

// A count that exists only when the census does.
void appendCount(std::string& record, const Census* census, std::uint64_t Census::*count) {
    record.push_back(',');
    if (census)
        csv::appendNumber(record, census->*count);
}

} // namespace

std::string runPrefix(const RunPlan& plan, std::uint64_t run) {
    std::string prefix;
    csv::appendNumber(prefix, run);
    prefix.push_back(',');
    csv::appendNumber(prefix, plan.repOf(run));
    prefix.push_back(',');
    csv::appendNumber(prefix, std::uint64_t{plan.seedOf(run)});
    prefix.push_back(',');
    for (std::int32_t value : plan.valuesOf(plan.pointOf(run))) {
        csv::appendNumber(prefix, std::int64_t{value});
        prefix.push_back(',');
    }
    return prefix;
}

std::string tableHeader(const RunPlan& plan) {
    return headerWith(plan, columns::table);
}

std::string summaryHeader(const RunPlan& plan) {
    return headerWith(plan, columns::summary);
}

TableWriter::TableWriter(const RunPlan& runPlan, OutputFile& file) : plan(runPlan), out(file) {}

void TableWriter::turn(std::uint64_t run, const RecordedTurn& turn) {
    if (run != prefixRun) {
        prefix = runPrefix(plan, run);
        prefixRun = run;
    }
    record = prefix;
    csv::appendNumber(record, turn.turn);
    record.push_back(',');
    csv::appendNumber(record, turn.census.obstacles);
    record.push_back(',');
    csv::appendNumber(record, turn.census.prey);
    record.push_back(',');
    csv::appendNumber(record, turn.census.predators);
    record.push_back('\n');
    out.append(record);
    const auto now = std::chrono::steady_clock::now();
    if (now - lastFlush >= std::chrono::seconds(1)) {
        out.flush();
        lastFlush = now;
    }
}

void TableWriter::end(std::uint64_t, const RunEnd&) {
    out.flush();
    lastFlush = std::chrono::steady_clock::now();
}

SummaryWriter::SummaryWriter(const RunPlan& runPlan, OutputFile& file)
    : plan(runPlan), out(file) {}

void SummaryWriter::turn(std::uint64_t, const RecordedTurn& turn) {
    // Only the first turn recorded can be turn 0.
    if (!last && turn.turn == 0)
        start = turn.census;
    last = turn.census;
}

void SummaryWriter::end(std::uint64_t run, const RunEnd& end) {
    const Census* first = start ? &*start : nullptr;
    // A run that was not played to its end has no end to count.
    const Census* finish = end.outcome == RunOutcome::Played && last ? &*last : nullptr;
    std::string record = runPrefix(plan, run);
    csv::appendNumber(record, end.turnsPlayed);
    appendCount(record, first, &Census::prey);
    appendCount(record, finish, &Census::prey);
    appendCount(record, finish, &Census::predators);
    record.push_back(',');
    if (end.preyGoneTurn)
        csv::appendNumber(record, *end.preyGoneTurn);
    appendCount(record, first, &Census::predators);
    appendCount(record, first, &Census::obstacles);
    appendCount(record, finish, &Census::obstacles);
    record.push_back(',');
    csv::appendField(record, outcomeName(end.outcome));
    record.push_back(',');
    csv::appendField(record, end.message);
    record.push_back('\n');
    out.append(record);
    out.flush();
    start.reset();
    last.reset();
}
