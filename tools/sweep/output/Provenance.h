#pragma once
// The record of how a sweep's file was made, written as FILE.json beside every
// table or summary written to a file: the program and its version, the command
// line, the folder and machine it ran in, the settings text every run played
// from (its first MiB), the --set
// lines, the varied keys, the seed rule, the runs of this file, the workers,
// the start and end times (UTC) and how the sweep ended. It is written when the
// sweep starts (ended: null, state: running) and again when it ends, so a sweep
// that was killed outright still leaves its start. A resumed sweep lists each
// time it ran under "sessions", earliest first.
#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "tools/sweep/RunPlayer.h"
#include "tools/sweep/SweepOptions.h"
#include "tools/sweep/output/SweepRecord.h"
#include "tools/sweep/output/SweepReport.h"

// The text as valid UTF-8 that keeps every byte: a byte that is not part of
// a valid sequence stands for the code point of its own number (U+0080 ..
// U+00FF), so a record of a file that is not UTF-8 still says what it held.
std::string keepEveryByte(std::string_view text);

// Where and when a record is made: the working folder, the host, a time as
// "2024-06-07T12:34:56Z".
std::string currentFolder();
std::string hostName();
std::string utcTime(std::chrono::system_clock::time_point time);

class Provenance {
public:
    // The options are the sweep's own, kept by reference.
    Provenance(const SweepOptions& options, std::vector<std::string> commandLine,
               std::string programName, std::string workers);

    // The times an interrupted sweep ran before this one, from its record.
    void continues(SweepRecord sessions) { earlier = std::move(sessions); }

    // The record of one file of the sweep, and the same as JSON text.
    SweepRecord record(const std::string& file, const std::string& content,
                       const OutcomeTally& tally, SweepState state) const;
    std::string document(const std::string& file, const std::string& content,
                         const OutcomeTally& tally, SweepState state) const;

    // Writes FILE.json for the file; returns what went wrong, or "".
    std::string writeBeside(const std::string& file, const std::string& content,
                            const OutcomeTally& tally, SweepState state) const;

private:
    const SweepOptions& options;
    SweepRecord earlier = SweepRecord::array();
    std::vector<std::string> command;
    std::string program;
    std::string workerText;
    std::chrono::system_clock::time_point started;
};
