#pragma once
// lurkfield-sweep --merge FILE...: the tables of one sweep's shards, given in
// any order, joined into the table the whole sweep would have written, byte
// for byte. It works on summaries as well: any CSV of the sweep whose first
// column is the run and whose records of one run stand together.
//
// Every file is checked before anything is written: each must open, have the
// same header as the others, hold whole records only (an interrupted shard
// ends with a whole row, but its job did not finish: merge it once it has),
// and list its runs in rising order; no run may be in two files.
#include <ostream>
#include <string>
#include <vector>

// Writes the joined table to `out`; returns 0, or 1 with the reason on `err`.
int mergeTables(const std::vector<std::string>& files, std::ostream& out, std::ostream& err);
