#pragma once
// Text as a sweep's record holds it. Every text goes into the JSON as valid
// UTF-8 that keeps every byte: a byte that is not part of a valid sequence
// stands for the code point of its own number (U+0080 .. U+00FF), so a record
// of a file that is not UTF-8 still says what it held. A time is written in
// UTC to the second, "2024-06-07T12:34:56Z", a form that sorts as text.
#include <chrono>
#include <string>
#include <string_view>

std::string keepEveryByte(std::string_view text);

std::string utcTime(std::chrono::system_clock::time_point time);
