#pragma once
// A malformed command line. Its text says what was wrong, in the user's own
// words ("--turns needs a whole number, not 'x'"); the program prints it before
// its usage text and exits with status 2.
#include <stdexcept>
#include <string>

class UsageError : public std::runtime_error {
public:
    explicit UsageError(const std::string& what) : std::runtime_error(what) {}
};
