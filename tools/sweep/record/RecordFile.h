#pragma once
// A sweep's record on disk: FILE.json, beside the table or summary FILE it is
// the record of (SweepRecord.h).
#include <optional>
#include <string>

#include "tools/sweep/record/SweepRecord.h"

// The record beside the file; nothing, with the reason in `problem`, when it
// is missing, unreadable, far too large or not a sweep's record.
std::optional<SweepRecord> readRecordBeside(const std::string& file, std::string& problem);

// Replaces FILE.json at once (replaceFile); returns what went wrong, or "".
std::string writeRecordBeside(const std::string& file, const SweepRecord& record);
