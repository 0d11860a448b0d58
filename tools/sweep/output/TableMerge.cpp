#include "tools/sweep/output/TableMerge.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>

#include "tools/sweep/output/OutputFile.h"
#include "tools/sweep/output/Provenance.h"
#include "tools/sweep/output/SweepRecord.h"

#include "tools/sweep/output/TableReader.h"

namespace {

// The run of a record: its first field, a whole number.
std::optional<std::uint64_t> runOf(const std::string& record) {
    std::uint64_t run = 0;
    const char* const end = record.data() + record.size();
    const auto [stop, error] = std::from_chars(record.data(), end, run);
    if (error != std::errc() || stop == end || *stop != ',')
        return std::nullopt;
    return run;
}

// One shard's table while it is being joined: its reader and its next record.
struct Shard {
    std::unique_ptr<TableReader> reader;
    std::string record;
    std::optional<std::uint64_t> run;
    bool done = false;

    // Moves on to the next record; false when the file is not a sound table.
    bool advance(std::string& problem);
};

bool Shard::advance(std::string& problem) {
    const std::optional<std::uint64_t> previous = run;
    done = !reader->next(record);
    if (done) {
        if (reader->cutShort())
            problem = reader->fileName() + " ends in the middle of a row: did its sweep finish?";
        return !reader->cutShort();
    }
    run = runOf(record);
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
bool openShards(const std::vector<std::string>& files, std::vector<Shard>& shards,
                std::string& header, std::string& problem) {
    for (const std::string& file : files) {
        Shard& shard = shards.emplace_back();
        shard.reader = std::make_unique<TableReader>(file);
        std::string head;
        if (!shard.reader->isOpen() || !shard.reader->next(head)) {
            problem = "cannot read a table from " + file;
            return false;
        }
        if (head.rfind("run,", 0) != 0) {
            problem = file + " is not a table of lurkfield-sweep (its first column is not run)";
            return false;
        }
        if (header.empty())
            header = head;
        if (head != header) {
            problem = file + " has other columns than " + files.front() + ": not the same sweep";
            return false;
        }
        if (!shard.advance(problem))
            return false;
    }
    return true;
}

// The shard whose next record has the lowest run, or null when all are done.
Shard* lowest(std::vector<Shard>& shards) {
    Shard* best = nullptr;
    for (Shard& shard : shards) {
        if (!shard.done && (!best || *shard.run < *best->run))
            best = &shard;
    }
    return best;
}

// Joins the shards' records, writing them when `out` is given; false on a fault.
bool join(const std::vector<std::string>& files, std::ostream* out, std::string& problem) {
    std::vector<Shard> shards;
    std::string header;
    if (!openShards(files, shards, header, problem))
        return false;
    if (out)
        *out << header;
    std::optional<std::uint64_t> lastRun;
    while (Shard* shard = lowest(shards)) {
        const std::uint64_t run = *shard->run;
        if (lastRun && run == *lastRun) {
            problem = "run " + std::to_string(run) + " is in more than one file";
            return false;
        }
        lastRun = run;
        while (!shard->done && *shard->run == run) {
            if (out)
                *out << shard->record;
            if (!shard->advance(problem))
                return false;
        }
    }
    return true;
}

} // namespace


namespace {

// The parts' records, checked to be the finished shards of one sweep, each
// once; false with the reason.
bool checkParts(const MergeRequest& request, std::vector<SweepRecord>& records,
                std::string& problem) {
    const std::vector<std::string>& parts = request.parts;
    std::map<std::uint64_t, std::string> byShard;
    for (const std::string& part : parts) {
        std::optional<SweepRecord> record = readRecordBeside(part, problem);
        if (!record)
            return false;
        const std::string content = (*record)["content"];
        std::string wanted = request.content;
        if (wanted.empty())
            wanted = records.empty() ? content : records.front()["content"].get<std::string>();
        const std::string state = (*record)["state"];
        const auto [index, count] = shardOf(*record);
        const std::string shard = std::to_string(index) + "/" + std::to_string(count);
        if (content != wanted)
            problem = part + " is a " + content + ", not a " + wanted;
        else if (state != "complete")
            problem = part + " is from a sweep that did not finish (its record says '" + state +
                      "'): finish it with --resume first";
        else if (!records.empty() && !(problem = sweepDifference(*record, records.front())).empty())
            problem = part + " is not of the same sweep as " + parts.front() + ": " + problem;
        else if (!records.empty() && count != shardOf(records.front()).second)
            problem = part + " is shard " + shard + ", but " + parts.front() + " is shard " +
                      records.front()["shard"].get<std::string>();
        else if (byShard.count(index))
            problem = byShard[index] == part ? part + " is given twice"
                                             : byShard[index] + " and " + part +
                                                   " are both shard " + shard;
        if (!problem.empty())
            return false;
        byShard[index] = part;
        records.push_back(std::move(*record));
    }
    const std::uint64_t count = shardOf(records.front()).second;
    for (std::uint64_t index = 1; index <= count; ++index) {
        if (!byShard.count(index)) {
            problem = "shard " + std::to_string(index) + "/" + std::to_string(count) +
                      " is missing: give the file of every shard";
            return false;
        }
    }
    return true;
}

// The record of the joined file: the sweep as its parts record it, made whole.
SweepRecord joinedRecord(const MergeRequest& request, const std::vector<SweepRecord>& records) {
    SweepRecord joined = records.front();
    joined["program"] = "lurkfield-sweep";
    joined["command_line"] = request.commandLine;
    joined["working_directory"] = keepEveryByte(currentFolder());
    joined["host"] = keepEveryByte(hostName());
    joined["file"] = keepEveryByte(*request.output);
    joined["shard"] = "1/1";
    joined["runs_in_shard"] = joined["runs"];
    joined["workers"] = "the shards below, joined by lurkfield-sweep --merge";
    SweepRecord parts = SweepRecord::array();
    static constexpr const char* tallies[] = {"runs_played", "runs_refused",
                                              "runs_out_of_memory", "runs_failed"};
    for (const char* tally : tallies) {
        std::uint64_t sum = 0;
        for (const SweepRecord& record : records)
            sum += record.value(tally, std::uint64_t{0});
        joined[tally] = sum;
    }
    for (std::size_t i = 0; i < records.size(); ++i) {
        const SweepRecord& record = records[i];
        // Times in this form sort as text; every part has ended.
        joined["started"] = std::min(joined["started"], record["started"]);
        joined["ended"] = std::max(joined["ended"], record["ended"]);
        parts.push_back({{"file", keepEveryByte(request.parts[i])},
                         {"shard", record["shard"]},
                         {"host", record.value("host", "")},
                         {"started", record["started"]},
                         {"ended", record.value("ended", SweepRecord())},
                         {"workers", record.value("workers", "")}});
    }
    joined.erase("sessions");
    joined["merged"] = utcTime(std::chrono::system_clock::now());
    joined["parts"] = parts;
    return joined;
}

// Whether two names are the same file on disk (or the same name).
bool sameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return a == b || std::filesystem::equivalent(a, b, error);
}

// Writes the joined file through FILE.tmp, so that a failed merge leaves what
// FILE held, then its record.
bool writeJoined(const MergeRequest& request, const std::vector<SweepRecord>& records,
                 std::string& problem) {
    const std::string& name = *request.output;
    for (const std::string& part : request.parts) {
        if (sameFile(name, part)) {
            problem = "the joined file would be written over its part " + part;
            return false;
        }
    }
    const std::string temporary = name + ".tmp";
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out.is_open() || !join(request.parts, &out, problem) || !out.flush()) {
        if (problem.empty())
            problem = "cannot write " + temporary;
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return false;
    }
    out.close();
    std::error_code error;
    std::filesystem::rename(temporary, name, error);
    if (error) {
        problem = "cannot write " + name + ": " + error.message();
        return false;
    }
    problem = replaceFile(name + ".json", joinedRecord(request, records).dump(2) + "\n");
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
        joined = join(request.parts, &out, problem);
    if (joined && !request.output && !out.flush())
        problem = "writing the joined file failed";
    if (!problem.empty()) {
        err << "lurkfield-sweep --merge: " << problem << '\n';
        return 1;
    }
    return 0;
}
