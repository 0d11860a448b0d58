#pragma once
// Whether the world built from a configuration file can be played at all. Every
// front end refuses with the same words: the window in its message box, the
// command-line tools on standard error.
#include <optional>
#include <string>

class World;

// The message that refuses to start, or nothing when the grid has columns and rows.
std::optional<std::string> startupRefusal(const World& world, const std::string& configFileName);
