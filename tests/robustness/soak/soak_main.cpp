// The soak: hundreds of random configuration files, each built into a World
// and played for hundreds of turns, the board checked after every turn and,
// once the World is gone, every object, behaviour and command checked gone.
// Quiet when all is well; on a fault it names the seed that reproduces it.
//   lurkfield-soak [--files N] [--turns N] [--first SEED] [--print SEED]
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "ConfigGenerator.h"
#include "ProgramRun.h"
#include "WorldCensus.h"

namespace {

struct SoakOptions {
    std::uint32_t files = 300;
    std::uint32_t turns = 300;
    std::uint32_t first = 1;
};

bool readNumber(const char* text, std::uint32_t& number) {
    char* end = nullptr;
    const unsigned long value = std::strtoul(text, &end, 10);
    number = static_cast<std::uint32_t>(value);
    return *text != '\0' && *end == '\0' && value <= 0xFFFFFFFFul;
}

bool parse(int argc, char** argv, SoakOptions& options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        std::uint32_t* target = flag == "--files"   ? &options.files
                                : flag == "--turns" ? &options.turns
                                : flag == "--first" ? &options.first
                                                    : nullptr;
        if (flag == "--print" && readNumber(argv[i + 1], options.first)) {
            std::cout << randomConfiguration(options.first);
            std::exit(0);
        }
        if (!target || !readNumber(argv[i + 1], *target))
            return false;
    }
    return argc % 2 == 1;
}

} // namespace

int main(int argc, char** argv) {
    SoakOptions options;
    if (!parse(argc, argv, options)) {
        std::cerr << "usage: lurkfield-soak [--files N] [--turns N] [--first SEED] [--print SEED]\n";
        return 2;
    }
    const ScratchFolder folder;
    int failures = 0;
    for (std::uint32_t i = 0; i < options.files; ++i) {
        const std::uint32_t seed = options.first + i;
        const std::string file = folder.write("lurkfield.config", randomConfiguration(seed)).string();
        const std::string fault = playAndCheck(file, options.turns);
        if (!fault.empty()) {
            std::cerr << "soak: configuration seed " << seed << ": " << fault
                      << " (see it with: lurkfield-soak --print " << seed << ")\n";
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
