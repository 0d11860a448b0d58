#include "tools/common/OptionValues.h"

#include <charconv>

#include "tools/common/UsageError.h"

namespace {

std::string rangeText(std::uint64_t lowest, std::uint64_t highest) {
    if (lowest == 0 && highest == std::numeric_limits<std::uint64_t>::max())
        return "a whole number";
    return "a whole number from " + std::to_string(lowest) + " to " + std::to_string(highest);
}

} // namespace

std::uint64_t wholeNumber(const std::string& option, const std::string& text, std::uint64_t lowest,
                          std::uint64_t highest) {
    const std::string complaint =
        option + " needs " + rangeText(lowest, highest) + ", not '" + text + "'";
    // Digits only: from_chars takes no sign or blank for an unsigned number.
    std::uint64_t value = 0;
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || value < lowest || value > highest)
        throw UsageError(complaint);
    return value;
}

const std::string& OptionCursor::valueOf(const std::string& option, const std::string& what) {
    if (done())
        throw UsageError(option + " needs " + what);
    return take();
}

void throwUnknownArgument(const std::string& argument) {
    if (argument.size() > 1 && argument[0] == '-')
        throw UsageError("unknown option '" + argument + "'");
    throw UsageError("unexpected argument '" + argument +
                     "' (the settings file is given with --config FILE)");
}
