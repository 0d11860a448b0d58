#pragma once
// A setting given on the command line with --set KEY=VALUE: it acts as if the
// settings file ended with the line "KEY VALUE", read by the file's own rules
// (a malformed value reads 0, a line without a value or whose key begins with
// "#" is ignored). The file itself is never changed. Lines are added after the
// whole file was read, even when the file was cut short by an over-long line.
#include <string>
#include <vector>

#include "core/Config.h"

struct SettingLine {
    std::string key;
    std::string value;

    // The line of a settings file that this setting stands for.
    std::string asFileLine() const { return key + ' ' + value; }
};

// Reads KEY=VALUE, split at the first '='. A UsageError when there is no '=',
// the key is empty or the key holds a blank (the file would read another key);
// it names the option and the form it takes.
SettingLine parseSettingLine(const std::string& option, const std::string& text,
                             const std::string& form = "KEY=VALUE");

// The settings with the lines added after them, in order.
Config withLines(Config settings, const std::vector<SettingLine>& lines);
