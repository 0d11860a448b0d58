#include "tools/Json.h"

#include <cstdio>

namespace json {

namespace {

// The length of the valid UTF-8 sequence at the front of `text`, or 0.
std::size_t utf8Length(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    }
    if (length == 0 || text.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    }
    return length;
}

void appendEscape(std::string& out, unsigned code) {
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\u%04x", code);
    out += escape;
}

} // namespace

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(static_cast<char>(c));
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20 || c == 0x7F) {
            appendEscape(out, c);
        } else if (c >= 0x80) {
            const std::size_t length = utf8Length(text.substr(i));
            if (length == 0) {
                appendEscape(out, c);
                ++i;
                continue;
            }
            out.append(text.substr(i, length));
            i += length;
            continue;
        } else {
            out.push_back(static_cast<char>(c));
        }
        ++i;
    }
    out.push_back('"');
    return out;
}

void ObjectWriter::startMember(std::string_view name) {
    body += first ? "\n  " : ",\n  ";
    first = false;
    body += quoted(name);
    body += ": ";
}

ObjectWriter& ObjectWriter::text(std::string_view name, std::string_view value) {
    startMember(name);
    body += quoted(value);
    return *this;
}

ObjectWriter& ObjectWriter::maybeText(std::string_view name,
                                      const std::optional<std::string>& value) {
    return value ? text(name, std::string_view(*value)) : raw(name, "null");
}

ObjectWriter& ObjectWriter::number(std::string_view name, std::uint64_t value) {
    return raw(name, std::to_string(value));
}

ObjectWriter& ObjectWriter::flag(std::string_view name, bool value) {
    return raw(name, value ? "true" : "false");
}

ObjectWriter& ObjectWriter::texts(std::string_view name, const std::vector<std::string>& values) {
    std::string array = "[";
    for (std::size_t i = 0; i < values.size(); ++i)
        array += (i > 0 ? ", " : "") + quoted(values[i]);
    return raw(name, array + "]");
}

ObjectWriter& ObjectWriter::raw(std::string_view name, std::string_view json) {
    startMember(name);
    body += json;
    return *this;
}

} // namespace json
