// Arbitrary bytes as the settings file: every integer setting the game reads,
// and keys taken from the input itself, must read the same through Config as
// through the second reading of the same rules in ReferenceSettings.
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <vector>

#include "FuzzFile.h"
#include "ReferenceSettings.h"
#include "core/Config.h"

namespace {

std::vector<std::string> keysTheGameReads() {
    std::vector<std::string> keys = {"grid.x",           "grid.y",
                                     "obstacle.density", "prey.number",
                                     "predator.number",  "prey.reaction_time",
                                     "predator.reaction_time", "predator.hearing",
                                     "predator.sight"};
    for (const char* kind : {"predator.", "prey.", "obstacle."}) {
        for (const char* property : {"eatable", "blocks_los", "hearing", "sight"})
            keys.push_back(std::string(kind) + property);
    }
    return keys;
}

void compare(const Config& config, const ReferenceSettings& reference, const std::string& key) {
    const int read = config.getInt(key);
    const int expected = reference.number(key);
    if (read != expected || config.getString(key) != reference.text(key)) {
        std::fprintf(stderr, "key of %zu bytes: getInt %d, expected %d; value \"%s\" vs \"%s\"\n",
                     key.size(), read, expected, config.getString(key).c_str(),
                     reference.text(key).c_str());
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<std::string> gameKeys = keysTheGameReads();
    const std::string& file = writeFuzzFile(data, size);
    const Config config = Config::load(file);
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ReferenceSettings reference(bytes);

    for (const std::string& key : gameKeys)
        compare(config, reference, key);
    for (const std::string& key : reference.keys())
        compare(config, reference, key);
    for (std::string key : tokensOf(bytes, 32)) {
        compare(config, reference, key);
        key.pop_back();
        compare(config, reference, key);
    }
    return 0;
}
