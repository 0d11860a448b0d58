#include "tools/sweep/output/TableMerge.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <memory>
#include <optional>

#include "tools/sweep/output/Csv.h"

namespace {

// Reads a table record by record; a record ends at a line feed outside quotes.
class TableReader {
public:
    explicit TableReader(const std::string& fileName)
        : name(fileName), in(fileName, std::ios::binary) {}

    bool isOpen() const { return in.is_open(); }
    // The next record with its line feed; false at the end of the file.
    bool next(std::string& record);
    // True once the file ended in the middle of a record.
    bool cutShort() const { return unfinished; }
    const std::string& fileName() const { return name; }

private:
    std::string name;
    std::ifstream in;
    bool unfinished = false;
};

bool TableReader::next(std::string& record) {
    record.clear();
    for (std::string line; std::getline(in, line);) {
        record += line;
        if (in.eof()) {
            unfinished = true;
            return false;
        }
        record.push_back('\n');
        if (!csv::insideQuotes(record))
            return true;
    }
    unfinished = unfinished || !record.empty();
    return false;
}

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

int mergeTables(const std::vector<std::string>& files, std::ostream& out, std::ostream& err) {
    std::string problem;
    // A first pass checks everything, so that a fault leaves no half-joined table.
    if (!join(files, nullptr, problem) || !join(files, &out, problem)) {
        err << "lurkfield-sweep --merge: " << problem << '\n';
        return 1;
    }
    out.flush();
    if (!out) {
        err << "lurkfield-sweep --merge: writing the joined table failed\n";
        return 1;
    }
    return 0;
}
