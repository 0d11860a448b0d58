#pragma once
// Reading the values of command-line options. Every reader throws UsageError
// with a message that names the option and quotes what was given.
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

// A whole number: decimal digits only (no sign, no blanks), from lowest to
// highest. "--turns needs a whole number, not 'x'"; with a narrower range the
// message names it: "--reps needs a whole number from 1 to 1000000, not '0'".
std::uint64_t wholeNumber(const std::string& option, const std::string& text,
                          std::uint64_t lowest = 0,
                          std::uint64_t highest = std::numeric_limits<std::uint64_t>::max());

// Walks a command line (without the program name), one option at a time.
class OptionCursor {
public:
    explicit OptionCursor(const std::vector<std::string>& arguments) : args(arguments) {}

    bool done() const { return next >= args.size(); }
    // The next argument, consumed.
    const std::string& take() { return args[next++]; }
    // The value after `option`, consumed; a UsageError naming `what` the option
    // needs when the command line ends there.
    const std::string& valueOf(const std::string& option, const std::string& what);

private:
    const std::vector<std::string>& args;
    std::size_t next = 0;
};

// The error for an argument that is no option of the program.
[[noreturn]] void throwUnknownArgument(const std::string& argument);
