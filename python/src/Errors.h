#pragma once
// The module's failures as C++ exceptions, each turned into its Python
// exception where the module is defined (Module.cpp):
//   RefusedWorld        lurkfield.RefusedError: the game refuses the grid
//   WorldOutOfMemory    MemoryError: the world does not fit, in set-up or in a turn
//   UsageError          ValueError: a value the programs' options would refuse,
//                       with the program's own message (tools/common/UsageError.h)
#include <stdexcept>
#include <string>

class RefusedWorld : public std::runtime_error {
public:
    explicit RefusedWorld(const std::string& refusal) : std::runtime_error(refusal) {}
};

class WorldOutOfMemory : public std::runtime_error {
public:
    explicit WorldOutOfMemory(const std::string& message) : std::runtime_error(message) {}
};
