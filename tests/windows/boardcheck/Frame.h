#pragma once
// The board as the text front end prints it, and the few settings that the
// overlay needs, read from the same configuration file the program read.
#include <string>
#include <vector>

struct Frame {
    int width = 0;
    int height = 0;
    std::vector<std::string> rows; // '.' empty, '#' obstacle, 'o' prey, 'H' predator

    char at(int column, int row) const { return rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]; }
};

// The last frame in the output of `lurkfield-text`. Line ends may be CRLF (the
// Windows console writes them). Throws std::runtime_error when there is none.
Frame readLastFrame(const std::string& path);

// The integer setting `key` of a configuration file: the last line whose first
// token is the key; 0 when it is missing or not a plain number.
int readSetting(const std::string& path, const std::string& key);

// The key prefix of the kind drawn as `symbol`, such as "predator.".
std::string kindPrefix(char symbol);
