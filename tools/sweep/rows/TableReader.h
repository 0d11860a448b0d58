#pragma once
// Reads a sweep's CSV file record by record: a record ends at a line feed
// outside quotes, so a message that holds line feeds stays one record. The
// reader knows how many bytes the whole records read so far take, which is
// where a file that ends in the middle of a record (a torn last line) is cut
// before it is written on again.
#include <cstdint>
#include <fstream>
#include <string>

class TableReader {
public:
    explicit TableReader(const std::string& fileName)
        : name(fileName), in(fileName, std::ios::binary) {}

    bool isOpen() const { return in.is_open(); }
    // The next record with its line feed; false at the end of the file.
    bool next(std::string& record);
    // True once the file ended in the middle of a record.
    bool cutShort() const { return unfinished; }
    // The bytes of every whole record read so far.
    std::uint64_t wholeBytes() const { return whole; }
    const std::string& fileName() const { return name; }

private:
    std::string name;
    std::ifstream in;
    bool unfinished = false;
    std::uint64_t whole = 0;
};
