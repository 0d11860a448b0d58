#pragma once
// The sweep's own record of each file it writes (SweepRecord.h), written as
// FILE.json beside every table or summary written to a file: what the sweep
// is (SweepRecord::of), and what only the running program knows, its name and
// command line, the folder and host it runs in, who plays the runs, its times
// and its peak memory. It is written when the sweep starts (ended: null,
// state: running) and again when it ends, so a sweep that was killed outright
// still leaves its start. A resumed sweep lists each time it ran under
// "sessions", earliest first.
#include <chrono>
#include <string>
#include <vector>

#include "tools/sweep/SweepOptions.h"
#include "tools/sweep/record/SweepRecord.h"

// Where a record is made: the working folder, the host.
std::string currentFolder();
std::string hostName();

class Provenance {
public:
    // The options are the sweep's own, kept by reference.
    Provenance(const SweepOptions& options, std::vector<std::string> commandLine,
               std::string programName, std::string workers);

    // The times an interrupted sweep ran before this one, from its record.
    void continues(std::vector<SessionRecord> sessions) { earlier = std::move(sessions); }

    // The record of one file of the sweep.
    SweepRecord record(const std::string& file, FileContent content, const OutcomeTally& tally,
                       SweepState state) const;

    // Writes FILE.json for the file; returns what went wrong, or "".
    std::string writeBeside(const std::string& file, FileContent content,
                            const OutcomeTally& tally, SweepState state) const;

private:
    const SweepOptions& options;
    std::vector<SessionRecord> earlier;
    std::vector<std::string> command;
    std::string program;
    std::string workerText;
    std::chrono::system_clock::time_point started;
};
