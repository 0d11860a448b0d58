#pragma once
// A second reading of the settings file, written apart from Config and kept
// as plain as possible, so that the two can be compared on any input:
//  - lines end at a line feed; a line of more than 998 characters is cut to
//    998 and ends the file; the last line counts without a line feed;
//  - tokens are split at blank, tab, line feed, carriage return, vertical tab
//    and form feed; the first is the key, the second the value, the rest is
//    ignored; a line without two tokens, or whose key begins with "#", is skipped;
//  - a later line wins over an earlier one with the same key;
//  - a number is an optional sign and at least one digit, read up to the
//    first non-digit, and 0 when outside the 32-bit range or unreadable.
#include <map>
#include <string>
#include <string_view>
#include <vector>

class ReferenceSettings {
public:
    explicit ReferenceSettings(std::string_view file);

    std::string text(const std::string& key) const;
    int number(const std::string& key) const;
    // Every stored key, in byte order.
    std::vector<std::string> keys() const;

private:
    void takeLine(std::string_view line);

    std::map<std::string, std::string> pairs;
};

// Every white-space-separated token of the bytes, in order, as many as `most`.
std::vector<std::string> tokensOf(std::string_view bytes, std::size_t most);
