#pragma once
// Whether the world built from the configuration file can be shown at all.
#include <optional>
#include <string>

class World;

// The message that refuses to start, or nothing when the grid has columns and rows.
std::optional<std::string> startupRefusal(const World& world, const std::string& configFileName);
