#include "tools/common/SettingLine.h"

#include <algorithm>

#include "tools/common/UsageError.h"

SettingLine parseSettingLine(const std::string& option, const std::string& text,
                             const std::string& form) {
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos || equals == 0)
        throw UsageError(option + " needs " + form + ", not '" + text + "'");
    std::string key = text.substr(0, equals);
    if (std::any_of(key.begin(), key.end(), isSettingBlank))
        throw UsageError(option + " needs a KEY without blanks, not '" + key + "'");
    return {std::move(key), text.substr(equals + 1)};
}

Config withLines(Config settings, const std::vector<SettingLine>& lines) {
    for (const SettingLine& line : lines)
        settings.addLine(line.asFileLine());
    return settings;
}
