#pragma once
// Whether the world built from a configuration file can be played at all, and
// what to say when memory runs out. Every front end says it with the same
// words: the window in its message box, the command-line tools on standard error.
#include <optional>
#include <string>

class World;

// The message that refuses to start, or nothing when the world was built and
// its grid has columns and rows.
std::optional<std::string> startupRefusal(const World& world, const std::string& configFileName);

// What a front end says when an allocation failed while it built a world or
// ran a turn: "Not enough memory for this world (FILE)."
std::string outOfMemoryMessage(const std::string& configFileName);
