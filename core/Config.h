#pragma once
// The settings of the simulation, read once from a plain text file.
//
// One key and one value per line, separated by white space; a line whose first
// token begins with "#" is a comment; anything after the value is ignored; a
// later line replaces an earlier one with the same key. Values stay text and are
// converted at every read, so nothing is cached anywhere.
#include <iosfwd>
#include <string>
#include <string_view>

#include "core/SettingTable.h"

class Config {
public:
    // The longest line the reader takes; a longer line is cut here and ends the file.
    static constexpr int maxLineLength = 998;

    // Reads the named file. A file that cannot be opened gives an empty Config;
    // a read error ends reading. Running out of memory throws std::bad_alloc.
    static Config load(const std::string& fileName);
    // The same for the text of a settings file, read by the same rules.
    static Config fromText(const std::string& text);

    // The value stored under the key, or "" when the key is absent.
    std::string getString(std::string_view key) const;

    // The value read as a decimal integer: an optional sign and at least one
    // digit, stopping at the first non-digit. Absent, unreadable or out of the
    // 32-bit range reads as 0.
    int getInt(std::string_view key) const;

    // Stores one pair, replacing an earlier value of the same key.
    void set(std::string key, std::string value);

    // One line of the file: stores its key and value when it has both and the
    // key does not begin with "#".
    void addLine(std::string_view line);

private:
    static Config read(std::streambuf& in);

    SettingTable values;
};

// True for the white space that separates a key from its value in the file.
bool isSettingBlank(char c);

// The integer that a setting's text stands for, by the rules of Config::getInt.
int parseSettingInt(std::string_view text);

// Inline, so that a caller whose key is built from parts known to the compiler
// hashes it without reading back the bytes it has just written.
inline int Config::getInt(std::string_view key) const {
    const std::string* value = values.find(key);
    return value ? parseSettingInt(*value) : 0;
}
