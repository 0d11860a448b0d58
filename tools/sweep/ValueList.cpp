#include "tools/sweep/ValueList.h"

#include <charconv>
#include <limits>

#include "tools/common/UsageError.h"

namespace {

const char* const valuesForm = "V1,V2,... or FIRST:STEP:LAST";

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    return parts;
}

// A value: an optional sign and decimal digits, within 32 bits.
std::int32_t settingValue(const std::string& key, const std::string& text) {
    const std::string where = "--vary " + key;
    const std::size_t sign = text[0] == '-' || text[0] == '+' ? 1 : 0;
    if (text.size() == sign || text.find_first_not_of("0123456789", sign) != std::string::npos)
        throw UsageError(where + " needs whole numbers (" + valuesForm + "), not '" + text + "'");
    std::int64_t value = 0;
    const char* begin = text.data() + (text[0] == '+' ? 1 : 0);
    const auto result = std::from_chars(begin, text.data() + text.size(), value);
    if (result.ec != std::errc() || value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        throw UsageError(where + " needs values from -2147483648 to 2147483647, not '" + text +
                         "'");
    return static_cast<std::int32_t>(value);
}

} // namespace

ValueList ValueList::parse(const std::string& key, const std::string& text) {
    const std::string where = "--vary " + key;
    if (text.empty())
        throw UsageError(where + " needs values: " + valuesForm);
    ValueList values;
    if (text.find(':') == std::string::npos) {
        for (const std::string& item : split(text, ',')) {
            if (item.empty())
                throw UsageError(where + " has an empty value in '" + text + "'");
            values.listed.push_back(settingValue(key, item));
        }
        values.count = values.listed.size();
        return values;
    }
    const std::vector<std::string> parts = split(text, ':');
    if (parts.size() != 3 || parts[0].empty() || parts[1].empty() || parts[2].empty())
        throw UsageError(where + " needs FIRST:STEP:LAST, not '" + text + "'");
    values.first = settingValue(key, parts[0]);
    values.step = settingValue(key, parts[1]);
    const std::int64_t last = settingValue(key, parts[2]);
    if (values.step == 0)
        throw UsageError(where + " needs a STEP other than 0, not '" + text + "'");
    const std::int64_t span = last - values.first;
    if ((span < 0) != (values.step < 0) && span != 0)
        throw UsageError(where + " gives no values: '" + text + "' steps away from LAST");
    values.count = static_cast<std::uint64_t>(span / values.step) + 1;
    return values;
}

std::int32_t ValueList::at(std::uint64_t index) const {
    if (!listed.empty())
        return listed[index];
    return static_cast<std::int32_t>(first + static_cast<std::int64_t>(index) * step);
}
