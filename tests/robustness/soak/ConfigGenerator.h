#pragma once
// Random configuration files for the soak: every key the game reads, with
// values from sensible to absurd, written in every form the reader accepts or
// must survive. The same seed always gives the same file.
#include <cstdint>
#include <string>

std::string randomConfiguration(std::uint32_t seed);
