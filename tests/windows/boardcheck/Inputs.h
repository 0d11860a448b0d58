#pragma once
// What boardcheck reads besides the screenshots: the board as the text front
// end printed it, and the few settings that the overlay needs, from the same
// configuration file the program read.
#include <string>

#include "support/TextFrames.h"

// The last frame in the output of `lurkfield-text`. Throws std::runtime_error
// when there is none, or its board is empty or not a rectangle of '.', '#', 'o', 'H'.
Frame readLastFrame(const std::string& path);

// The integer setting `key` of a configuration file: the last line whose first
// token is the key; 0 when it is missing or not a plain number.
int readSetting(const std::string& path, const std::string& key);

// The key prefix of the kind drawn as `symbol`, such as "predator.".
std::string kindPrefix(char symbol);
