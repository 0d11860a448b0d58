#pragma once
// The record of how a sweep's file was made (FILE.json, written by
// Provenance), read back: merging shards and resuming a sweep both ask
// whether two files are of one sweep, which the record alone can say. Two
// records are of one sweep when they hold the same version, settings text,
// --set lines, varied keys and values, reps, seed, turns and --every; the
// shard and the content (table or summary) are asked for apart.
#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <utility>

using SweepRecord = nlohmann::ordered_json;

// The record beside the file (FILE.json); nothing, with the reason in
// `problem`, when it is missing, unreadable or not a sweep's record.
std::optional<SweepRecord> readRecordBeside(const std::string& file, std::string& problem);

// "" when the two records are of one sweep; otherwise what differs, as the
// user would say it: "--turns 50, not 100".
std::string sweepDifference(const SweepRecord& theirs, const SweepRecord& ours);

// The shard K/N a record names, as {K, N}.
std::pair<std::uint64_t, std::uint64_t> shardOf(const SweepRecord& record);

// The "started", "ended" and "state" of each time the sweep ran, earliest
// first: the record's own list, or its one start when it has none.
SweepRecord sessionsOf(const SweepRecord& record);
