#pragma once
// Just enough JSON to write a record of how a result was made: objects with
// string, number, boolean and null members, and arrays of strings. Text that
// is not valid UTF-8 keeps every byte: an invalid byte is written as the code
// point of the same number (\u0080 .. \u00ff).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace json {

// The text as a JSON string literal, quotes included.
std::string quoted(std::string_view text);

// Writes one object, member by member, in the order given.
class ObjectWriter {
public:
    ObjectWriter& text(std::string_view name, std::string_view value);
    // The text, or null when there is none.
    ObjectWriter& maybeText(std::string_view name, const std::optional<std::string>& value);
    ObjectWriter& number(std::string_view name, std::uint64_t value);
    ObjectWriter& flag(std::string_view name, bool value);
    ObjectWriter& texts(std::string_view name, const std::vector<std::string>& values);
    // A member whose value is JSON already (a nested object or array).
    ObjectWriter& raw(std::string_view name, std::string_view json);

    // The object, with a line feed after it.
    std::string finish() const { return body + "\n}\n"; }

private:
    void startMember(std::string_view name);

    std::string body = "{";
    bool first = true;
};

} // namespace json
