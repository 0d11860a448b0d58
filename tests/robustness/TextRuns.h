#pragma once
// Runs the built text front end on a configuration and reads back its frames.
#include <cstdint>
#include <string>
#include <vector>

#include "ProgramRun.h"
#include "support/TextFrames.h"

// A small world that plays normally; cases append lines to it, and since a
// later line wins over an earlier one with the same key, that overrides it.
extern const std::string playableWorld;

// Settings too many to read under a small address-space limit: a million
// distinct keys, about 12 MB of file, well over 64 MB once stored.
std::string millionKeySettings();

// The refusals of the text front end, as it prints them for "lurkfield.config".
extern const std::string tooSmallMessage;
extern const std::string tooLargeMessage;
// "Not enough memory for this world (lurkfield.config).\n": an allocation failed.
extern const std::string outOfMemoryMessage;

// A kilobyte figure well above what any refused or tiny world needs, even
// under the sanitizers, and far below what a grid past the limit would take.
constexpr long smallProgramKilobytes = 256 * 1024;

// Runs lurkfield-text in the folder with the given arguments, under an
// address-space limit (RLIMIT_AS) of that many bytes when it is not 0.
RunResult runText(const ScratchFolder& folder, const std::vector<std::string>& args,
                  std::chrono::seconds limit = std::chrono::seconds(120),
                  std::uint64_t addressSpaceBytes = 0);

// Writes the configuration as "lurkfield.config" and runs that many turns.
RunResult runTextOn(const std::string& config, std::uint64_t turns, bool trace = false,
                    std::chrono::seconds limit = std::chrono::seconds(120),
                    std::uint64_t addressSpaceBytes = 0);

// The same under an address-space limit (RLIMIT_AS) of that many bytes.
RunResult runTextUnderLimit(const std::string& config, std::uint64_t turns,
                            std::uint64_t addressSpaceBytes);
