#include "tools/sweep/output/TableMerge.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>

#include "tools/sweep/output/ReplacedFile.h"
#include "tools/sweep/record/Provenance.h"
#include "tools/sweep/record/RecordFile.h"
#include "tools/sweep/record/RecordText.h"
#include "tools/sweep/rows/RowReader.h"
#include "tools/sweep/rows/TableReader.h"

namespace {

// Where the joined records go: nowhere while the parts are only checked.
using RecordsOut = std::function<void(std::string_view records)>;

// One part's file while it is being joined: its reader and its next record.
struct Part {
    std::unique_ptr<TableReader> reader;
    std::optional<RowReader<RunFields>> rows;
    std::string record;
    std::optional<std::uint64_t> run;
    bool done = false;

    // Moves on to the next record; false when the file is not a sound table.
    bool advance(std::string& problem);
};

bool Part::advance(std::string& problem) {
    const std::optional<std::uint64_t> previous = run;
    done = !reader->next(record);
    if (done) {
        if (reader->cutShort())
            problem = reader->fileName() + " ends in the middle of a row: did its sweep finish?";
        return !reader->cutShort();
    }
    run = rows->run(record);
    if (!run) {
        problem = reader->fileName() + " has a row that does not begin with its run";
        return false;
    }
    if (previous && *run < *previous) {
        problem = reader->fileName() + " lists run " + std::to_string(*run) + " after run " +
                  std::to_string(*previous);
        return false;
    }
    return true;
}

// Opens every file and reads its header; all must agree.
bool openParts(const std::vector<std::string>& files, std::vector<Part>& parts,
               std::string& header, std::string& problem) {
    for (const std::string& file : files) {
        Part& part = parts.emplace_back();
        part.reader = std::make_unique<TableReader>(file);
        std::string head;
        if (!part.reader->isOpen() || !part.reader->next(head)) {
            problem = "cannot read a table from " + file;
            return false;
        }
        part.rows = RowReader<RunFields>::of({}, head);
        if (!part.rows) {
            problem = file + " is not a table of lurkfield-sweep (its first column is not run)";
            return false;
        }
        if (header.empty())
            header = head;
        if (head != header) {
            problem = file + " has other columns than " + files.front() + ": not the same sweep";
            return false;
        }
        if (!part.advance(problem))
            return false;
    }
    return true;
}

// The part whose next record has the lowest run, or null when all are done.
Part* lowest(std::vector<Part>& parts) {
    Part* best = nullptr;
    for (Part& part : parts) {
        if (!part.done && (!best || *part.run < *best->run))
            best = &part;
    }
    return best;
}

// Joins the parts' records, handing them to `out` when it is given; false on a fault.
bool join(const std::vector<std::string>& files, const RecordsOut& out, std::string& problem) {
    std::vector<Part> parts;
    std::string header;
    if (!openParts(files, parts, header, problem))
        return false;
    if (out)
        out(header);
    std::optional<std::uint64_t> lastRun;
    while (Part* part = lowest(parts)) {
        const std::uint64_t run = *part->run;
        if (lastRun && run == *lastRun) {
            problem = "run " + std::to_string(run) + " is in more than one file";
            return false;
        }
        lastRun = run;
        while (!part->done && *part->run == run) {
            if (out)
                out(part->record);
            if (!part->advance(problem))
                return false;
        }
    }
    return true;
}

// What is wrong with one more part, given the records of those before it; "" when nothing.
std::string partProblem(const MergeRequest& request, const SweepRecord& record,
                        const std::string& part, const std::vector<SweepRecord>& records,
                        const std::map<std::uint64_t, std::string>& byShard) {
    const std::string& first = request.parts.front();
    const FileContent wanted =
        request.content.value_or(records.empty() ? record.content : records.front().content);
    const std::string shard = record.shard.text();
    if (record.content != wanted)
        return part + " is a " + contentName(record.content) + ", not a " + contentName(wanted);
    if (record.state != SweepState::Complete)
        return part + " is from a sweep that did not finish (its record says '" +
               stateName(record.state) + "'): finish it with --resume first";
    if (records.empty())
        return "";
    if (std::string difference = sweepDifference(record, records.front()); !difference.empty())
        return part + " is not of the same sweep as " + first + ": " + difference;
    if (record.shard.count != records.front().shard.count)
        return part + " is shard " + shard + ", but " + first + " is shard " +
               records.front().shard.text();
    if (const auto given = byShard.find(record.shard.index); given != byShard.end())
        return given->second == part ? part + " is given twice"
                                     : given->second + " and " + part + " are both shard " + shard;
    return "";
}

// The parts' records, checked to be the finished shards of one sweep, each
// once; false with the reason.
bool checkParts(const MergeRequest& request, std::vector<SweepRecord>& records,
                std::string& problem) {
    std::map<std::uint64_t, std::string> byShard;
    for (const std::string& part : request.parts) {
        std::optional<SweepRecord> record = readRecordBeside(part, problem);
        if (!record)
            return false;
        problem = partProblem(request, *record, part, records, byShard);
        if (!problem.empty())
            return false;
        byShard[record->shard.index] = part;
        records.push_back(std::move(*record));
    }
    const std::uint64_t count = records.front().shard.count;
    for (std::uint64_t index = 1; index <= count; ++index) {
        if (!byShard.count(index)) {
            problem = "shard " + Shard{index, count}.text() +
                      " is missing: give the file of every shard";
            return false;
        }
    }
    return true;
}

// The record of the joined file: the sweep as its parts record it, made whole.
SweepRecord joinedRecord(const MergeRequest& request, const std::vector<SweepRecord>& records) {
    SweepRecord joined = records.front();
    joined.program = "lurkfield-sweep";
    joined.commandLine = request.commandLine;
    joined.workingDirectory = currentFolder();
    joined.host = hostName();
    joined.file = *request.output;
    joined.shard = Shard{1, 1};
    joined.runsInShard = joined.runs;
    joined.workers = "the shards below, joined by lurkfield-sweep --merge";
    joined.tally = {};
    std::vector<PartRecord> parts;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const SweepRecord& record = records[i];
        joined.tally += record.tally;
        // Times in this form sort as text; every part has ended.
        joined.started = std::min(joined.started, record.started);
        joined.ended = std::max(joined.ended, record.ended);
        parts.push_back({request.parts[i], record.shard, record.host, record.started,
                         record.ended, record.workers});
    }
    joined.sessions.reset();
    joined.merged = utcTime(std::chrono::system_clock::now());
    joined.parts = std::move(parts);
    return joined;
}

// Whether two names are the same file on disk (or the same name).
bool sameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return a == b || std::filesystem::equivalent(a, b, error);
}

// Writes the joined file through FILE.tmp (ReplacedFile), so that a failed
// merge leaves what FILE held, then its record.
bool writeJoined(const MergeRequest& request, const std::vector<SweepRecord>& records,
                 std::string& problem) {
    const std::string& name = *request.output;
    for (const std::string& part : request.parts) {
        if (sameFile(name, part)) {
            problem = "the joined file would be written over its part " + part;
            return false;
        }
    }
    ReplacedFile joined(name);
    const RecordsOut out = [&](std::string_view rows) { joined.append(rows); };
    if (!joined.openError().empty() || !join(request.parts, out, problem) ||
        !joined.finish().empty()) {
        if (problem.empty())
            problem = "cannot write " + joined.temporaryName();
        return false;
    }
    if (const std::string failed = joined.replace(); !failed.empty()) {
        problem = "cannot write " + name + ": " + failed;
        return false;
    }
    problem = writeRecordBeside(name, joinedRecord(request, records));
    if (!problem.empty())
        problem = "cannot write " + name + ".json: " + problem;
    return problem.empty();
}

} // namespace

int mergeParts(const MergeRequest& request, std::ostream& out, std::ostream& err) {
    std::string problem;
    std::vector<SweepRecord> records;
    // Everything is checked first, so that a fault leaves no half-joined file.
    bool joined = checkParts(request, records, problem) && join(request.parts, nullptr, problem);
    if (joined && request.output)
        joined = writeJoined(request, records, problem);
    else if (joined)
        joined = join(request.parts, [&](std::string_view rows) { out << rows; }, problem);
    if (joined && !request.output && !out.flush())
        problem = "writing the joined file failed";
    if (!problem.empty()) {
        err << "lurkfield-sweep --merge: " << problem << '\n';
        return 1;
    }
    return 0;
}
