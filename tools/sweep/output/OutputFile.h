#pragma once
// A file the sweep writes, or standard output for "-". Writes are buffered
// and go out as whole records: the buffer is written when it is full and when
// the caller flushes, never in the middle of a record the caller appended. The
// first error (a full disk, a closed pipe) is kept and reported once.
#include <cstdint>
#include <string>
#include <string_view>

class OutputFile {
public:
    // Opens the file, creating it if needed, but leaves what it holds until
    // begin(): a sweep that cannot open all its files then changes none.
    // "-" is standard output.
    explicit OutputFile(const std::string& name);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Empty when the file is open, otherwise why it could not be opened.
    const std::string& openError() const { return opening; }
    const std::string& name() const { return fileName; }
    bool isStandardOutput() const { return fileName == "-"; }
    // True for a plain file on disk (not standard output, /dev/null, a pipe):
    // only those get a record of how they were made beside them.
    bool isRegularFile() const { return regular; }

    // Empties the file, to be written from its start.
    void begin();
    // Keeps the file's first `bytes` and writes on after them (a resumed sweep).
    void continueAfter(std::uint64_t bytes);
    // Removes the file again if opening it created it (another file of the
    // sweep could not be opened).
    void abandon();

    // Appends whole records; they may wait in the buffer until the next flush.
    void append(std::string_view records);
    void flush();
    // Flushes and closes the file: what went wrong first, opening, writing or
    // closing it, or "". Nothing is written after.
    std::string close();
    // Empty while every write succeeded, otherwise what went wrong first.
    const std::string& writeError() const { return writing; }

private:
    void writeOut(std::string_view bytes);

    std::string fileName;
    int fd = -1;
    bool regular = false;
    bool created = false;
    std::string buffer;
    std::string opening;
    std::string writing;
};

// Writes all the bytes to the file descriptor, going on after a signal or a
// partial write; false, with the errno in `error`, when a write fails.
bool writeAll(int fd, std::string_view bytes, int& error);
