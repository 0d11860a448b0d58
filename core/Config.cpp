#include "core/Config.h"

#include <cstdint>
#include <exception>
#include <fstream>
#include <limits>
#include <new>
#include <sstream>

bool isSettingBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

namespace {

// The next white-space-separated token at or after `pos`; empty when none is left.
std::string_view nextToken(std::string_view line, std::size_t& pos) {
    while (pos < line.size() && isSettingBlank(line[pos]))
        ++pos;
    const std::size_t start = pos;
    while (pos < line.size() && !isSettingBlank(line[pos]))
        ++pos;
    return line.substr(start, pos - start);
}

// Reads one line into `line`: up to the next line feed (consumed) or at most
// Config::maxLineLength characters. Returns whether reading may go on: not after
// the end of the file, a read error, or a line too long for the reader.
bool readLine(std::streambuf& in, std::string& line) {
    using Traits = std::char_traits<char>;
    line.clear();
    while (line.size() < static_cast<std::size_t>(Config::maxLineLength)) {
        const Traits::int_type c = in.sbumpc();
        if (Traits::eq_int_type(c, Traits::eof()))
            return false;
        if (Traits::to_char_type(c) == '\n')
            return true;
        line.push_back(Traits::to_char_type(c));
    }
    // A full line counts as ended only when a line feed follows right away.
    if (Traits::eq_int_type(in.sgetc(), Traits::to_int_type('\n'))) {
        in.sbumpc();
        return true;
    }
    return false;
}

} // namespace

Config Config::load(const std::string& fileName) {
    std::ifstream file(fileName);
    if (!file.is_open())
        return Config();
    return read(*file.rdbuf());
}

Config Config::fromText(const std::string& text) {
    std::stringbuf in(text, std::ios::in);
    return read(in);
}

Config Config::read(std::streambuf& in) {
    Config config;
    std::string line;
    line.reserve(maxLineLength);
    try {
        bool more = true;
        while (more) {
            more = readLine(in, line);
            config.addLine(line);
        }
    } catch (const std::bad_alloc&) {
        // Not a read error: a world built from part of its settings would be
        // another world. The front ends say that memory ran out.
        throw;
    } catch (const std::exception&) {
        // A read error (a directory in place of the file, a failing disk) ends
        // reading; the pairs read before it stay.
    }
    return config;
}

void Config::addLine(std::string_view line) {
    std::size_t pos = 0;
    const std::string_view key = nextToken(line, pos);
    const std::string_view value = nextToken(line, pos);
    if (value.empty() || key.front() == '#')
        return;
    set(std::string(key), std::string(value));
}

void Config::set(std::string key, std::string value) {
    values.insertOrAssign(std::move(key), std::move(value));
}

std::string Config::getString(std::string_view key) const {
    const std::string* value = values.find(key);
    return value ? *value : std::string();
}

int parseSettingInt(std::string_view text) {
    constexpr std::int64_t lowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t highest = std::numeric_limits<std::int32_t>::max();
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    std::int64_t magnitude = 0;
    std::size_t digits = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos, ++digits) {
        // Past the 32-bit range the exact magnitude no longer matters.
        if (magnitude <= highest + 1)
            magnitude = magnitude * 10 + (text[pos] - '0');
    }
    const std::int64_t number = negative ? -magnitude : magnitude;
    if (digits == 0 || number < lowest || number > highest)
        return 0;
    return static_cast<int>(number);
}
