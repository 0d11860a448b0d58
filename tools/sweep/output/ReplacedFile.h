#pragma once
// A file's new content, written to FILE.tmp and renamed over FILE once all of
// it is written, so that a reader never sees half of it and a write that fails
// leaves FILE as it was: the sweep's one way of replacing a file (a record, a
// joined table). FILE.tmp goes again unless it replaced FILE.
#include <string>
#include <string_view>

#include "tools/sweep/output/OutputFile.h"

class ReplacedFile {
public:
    explicit ReplacedFile(const std::string& name);
    ~ReplacedFile();
    ReplacedFile(const ReplacedFile&) = delete;
    ReplacedFile& operator=(const ReplacedFile&) = delete;

    const std::string& temporaryName() const { return temporary.name(); }
    // Empty when FILE.tmp is open, otherwise why it could not be opened.
    const std::string& openError() const { return temporary.openError(); }

    // Appends whole records; they may wait in a buffer until finish().
    void append(std::string_view records) { temporary.append(records); }
    // Writes out what waits and closes FILE.tmp: "" or what went wrong first.
    std::string finish() { return temporary.close(); }
    // Renames FILE.tmp over FILE, once finished: "" or what went wrong.
    std::string replace();

private:
    std::string fileName;
    OutputFile temporary;
    bool renamed = false;
};

// Replaces the file's content with `content` at once; returns what went wrong, or "".
std::string replaceFile(const std::string& name, std::string_view content);
