#include "TextRuns.h"

const std::string playableWorld = "grid.x 12\n"
                                  "grid.y 8\n"
                                  "obstacle.density 10\n"
                                  "prey.number 20\n"
                                  "predator.number 4\n"
                                  "prey.reaction_time 1\n"
                                  "predator.reaction_time 2\n"
                                  "prey.eatable 1\n"
                                  "obstacle.blocks_los 1\n"
                                  "predator.hearing 4\n"
                                  "predator.sight 6\n";

const std::string tooSmallMessage =
    "The grid is too small. Do you have a correct config? (lurkfield.config)\n";
const std::string tooLargeMessage = "The grid is too large: more than 4294967295 cells. Do you "
                                    "have a correct config? (lurkfield.config)\n";
const std::string outOfMemoryMessage = "Not enough memory for this world (lurkfield.config).\n";

std::string millionKeySettings() {
    std::string config;
    for (int key = 0; key < 1'000'000; ++key)
        config += "key" + std::to_string(key) + " 1\n";
    return config;
}

RunResult runText(const ScratchFolder& folder, const std::vector<std::string>& args,
                  std::chrono::seconds limit, std::uint64_t addressSpaceBytes) {
    return runProgram({LURKFIELD_TEXT_PROGRAM, args, folder.path(), limit, {}, addressSpaceBytes});
}

RunResult runTextOn(const std::string& config, std::uint64_t turns, bool trace,
                    std::chrono::seconds limit, std::uint64_t addressSpaceBytes) {
    const ScratchFolder folder;
    folder.write("lurkfield.config", config);
    std::vector<std::string> args{"--turns", std::to_string(turns)};
    if (trace)
        args.push_back("--trace");
    return runText(folder, args, limit, addressSpaceBytes);
}

RunResult runTextUnderLimit(const std::string& config, std::uint64_t turns,
                            std::uint64_t addressSpaceBytes) {
    return runTextOn(config, turns, false, std::chrono::seconds(120), addressSpaceBytes);
}
