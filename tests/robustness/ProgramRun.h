#pragma once
// Runs one of the built programs as a user would: in a folder of its own, with
// its output captured, under a time limit that turns a hang into a failed test
// instead of a stuck suite, with its peak memory measured, and optionally under
// an address-space limit.
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "support/ScratchFolder.h"

struct RunResult {
    bool finished = false; // false: killed after the time limit
    int exitCode = -1;     // valid when it finished without a signal
    int signal = 0;        // the signal that ended it, if any
    std::string out;
    std::string err;
    long peakKilobytes = 0; // largest resident set seen by the kernel
    std::chrono::duration<double> elapsed{};
};

struct ProgramRequest {
    std::string program;
    std::vector<std::string> args;
    std::filesystem::path folder;
    std::chrono::seconds timeLimit{60};
    std::vector<std::pair<std::string, std::string>> environment;
    // An address-space limit (RLIMIT_AS) in bytes for the program; 0 for none.
    // AddressSanitizer cannot start under one: its shadow memory is reserved up front.
    std::uint64_t addressSpaceLimit = 0;
};

// Why a test run under an address-space limit is skipped in the AddressSanitizer build.
inline constexpr const char* noAddressSpaceLimitUnderSanitizer =
    "AddressSanitizer cannot start under an address-space limit";

RunResult runProgram(const ProgramRequest& request);

// The file's bytes unchanged (binary); "" when it cannot be read.
std::string readWhole(const std::filesystem::path& file);
