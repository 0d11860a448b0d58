#pragma once
// lurkfield-sweep --merge FILE...: the tables of one sweep's shards, given in
// any order, joined into the table the whole sweep would have written, byte
// for byte. It works on summaries as well: any CSV of the sweep with the
// run's columns (run, rep, seed, found by name) whose records of one run stand
// together.
//
// Every file is checked before anything is written. The record beside each
// (FILE.json) must say that it is a finished shard of the same sweep as the
// others (the same version, settings text, --set lines, varied keys and values,
// reps, seed, turns, --every and number of shards) and that each shard is given
// once, none missing. Each file must open, have the same header as the others,
// hold whole records only and list its runs in rising order; no run may be in
// two files.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "tools/sweep/record/SweepRecord.h"

struct MergeRequest {
    std::vector<std::string> parts;
    // Where the joined file goes (--table FILE or --summary FILE), with its
    // own record beside it; nothing for standard output.
    std::optional<std::string> output;
    // What the parts must hold; nothing for either, as long as all hold the same.
    std::optional<FileContent> content;
    // For the joined file's record.
    std::vector<std::string> commandLine;
};

// Writes the joined file; returns 0, or 1 with the reason on `err` and every
// file as it was.
int mergeParts(const MergeRequest& request, std::ostream& out, std::ostream& err);
