#pragma once
// The fuzzers hand the game its input the way the game takes it: as a file.
// One file per process, rewritten for every input.
#include <cstddef>
#include <cstdint>
#include <string>

// Writes the bytes to this process's scratch file and returns its name.
const std::string& writeFuzzFile(const std::uint8_t* data, std::size_t size);
