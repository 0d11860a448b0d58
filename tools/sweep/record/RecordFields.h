#pragma once
// The fields of a sweep's record, each named once, in the order of its JSON
// text: eachField hands every field of a record, with its key, to a visitor,
// which writes it (toJson), reads it (fromJson) or compares it
// (sweepDifference). Within SweepRecord.cpp only.
#include <concepts>
#include <type_traits>

#include "tools/sweep/record/SweepRecord.h"

// What a record without the field is: not a record at all, one with the
// field's default, or (an optional field) one whose field is null, or is left
// out of the JSON text altogether.
enum class Need { Required, Defaulted, Nullable, Omitted };

// A field that makes a sweep the sweep it is: the words that name it in a
// message ("--reps 2, not 3"), what is said when its values are too long to
// show or are never shown, and its rank among the differences (the first one
// found is told).
struct Identity {
    int rank = 0;
    const char* words = nullptr;
    const char* differs = nullptr;
    bool neverShown = false;
};

struct FieldKey {
    const char* name;
    Need need = Need::Defaulted;
    Identity identity = {};
};

// The records whose fields eachField hands on: the sweep's and those it holds.
template <class Record>
concept FieldedRecord =
    std::same_as<std::remove_const_t<Record>, SweepRecord> ||
    std::same_as<std::remove_const_t<Record>, VariedRecord> ||
    std::same_as<std::remove_const_t<Record>, SessionRecord> ||
    std::same_as<std::remove_const_t<Record>, PartRecord>;

template <class Record, class Visit>
    requires std::same_as<std::remove_const_t<Record>, VariedRecord>
void eachField(Record& varied, Visit&& visit) {
    visit(FieldKey{"key", Need::Required}, varied.key);
    visit(FieldKey{"values", Need::Required}, varied.values);
    visit(FieldKey{"count", Need::Required}, varied.count);
}

template <class Record, class Visit>
    requires std::same_as<std::remove_const_t<Record>, SessionRecord>
void eachField(Record& session, Visit&& visit) {
    visit(FieldKey{"started"}, session.started);
    visit(FieldKey{"ended", Need::Nullable}, session.ended);
    visit(FieldKey{"state"}, session.state);
    visit(FieldKey{"workers"}, session.workers);
}

template <class Record, class Visit>
    requires std::same_as<std::remove_const_t<Record>, PartRecord>
void eachField(Record& part, Visit&& visit) {
    visit(FieldKey{"file"}, part.file);
    visit(FieldKey{"shard"}, part.shard);
    visit(FieldKey{"host"}, part.host);
    visit(FieldKey{"started"}, part.started);
    visit(FieldKey{"ended", Need::Nullable}, part.ended);
    visit(FieldKey{"workers"}, part.workers);
}

template <class Record, class Visit>
    requires std::same_as<std::remove_const_t<Record>, SweepRecord>
void eachField(Record& r, Visit&& visit) {
    constexpr Need required = Need::Required;
    visit(FieldKey{"program", required}, r.program);
    visit(FieldKey{"version", required, {1, "version", "the version differs"}}, r.version);
    visit(FieldKey{"command_line"}, r.commandLine);
    visit(FieldKey{"working_directory"}, r.workingDirectory);
    visit(FieldKey{"host"}, r.host);
    visit(FieldKey{"file"}, r.file);
    visit(FieldKey{"content", required}, r.content);
    visit(FieldKey{"settings_file"}, r.settingsFile);
    visit(FieldKey{"settings_text", required,
                   {2, "the settings text", "the settings text differs", true}},
          r.settingsText);
    visit(FieldKey{"settings_text_cut", required,
                   {3, "the settings text", "the settings text differs"}},
          r.settingsTextCut);
    visit(FieldKey{"settings_lines_added", required,
                   {4, "the --set lines", "the --set lines differ"}},
          r.settingsLinesAdded);
    visit(FieldKey{"varied", required,
                   {5, "the --vary keys and values", "the --vary keys and values differ"}},
          r.varied);
    visit(FieldKey{"reps", required, {6, "--reps", "--reps differs"}}, r.reps);
    visit(FieldKey{"runs"}, r.runs);
    visit(FieldKey{"shard", required}, r.shard);
    visit(FieldKey{"runs_in_shard"}, r.runsInShard);
    visit(FieldKey{"turns", required, {8, "--turns", "--turns differs"}}, r.turns);
    visit(FieldKey{"every", required, {9, "--every", "--every differs"}}, r.every);
    visit(FieldKey{"seed_rule"}, r.seedRule);
    visit(FieldKey{"first_seed", required, {7, "--seed", "--seed differs"}}, r.firstSeed);
    visit(FieldKey{"workers"}, r.workers);
    visit(FieldKey{"started", required}, r.started);
    visit(FieldKey{"ended", Need::Nullable}, r.ended);
    visit(FieldKey{"state", required}, r.state);
    visit(FieldKey{"runs_played"}, r.tally.played);
    visit(FieldKey{"runs_refused"}, r.tally.refused);
    visit(FieldKey{"runs_out_of_memory"}, r.tally.outOfMemory);
    visit(FieldKey{"runs_failed"}, r.tally.failed);
    visit(FieldKey{"peak_memory_kilobytes"}, r.peakMemoryKilobytes);
    visit(FieldKey{"sessions", Need::Omitted}, r.sessions);
    visit(FieldKey{"merged", Need::Omitted}, r.merged);
    visit(FieldKey{"parts", Need::Omitted}, r.parts);
}
