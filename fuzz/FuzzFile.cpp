#include "FuzzFile.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {

std::string scratchName() {
    const std::filesystem::path dir = std::filesystem::temp_directory_path();
    return (dir / ("lurkfield-fuzz-" + std::to_string(getpid()) + ".config")).string();
}

} // namespace

const std::string& writeFuzzFile(const std::uint8_t* data, std::size_t size) {
    static const std::string name = scratchName();
    static const bool removedAtExit = [] {
        std::atexit([] { std::remove(name.c_str()); });
        return true;
    }();
    (void)removedAtExit;
    std::FILE* file = std::fopen(name.c_str(), "wb");
    if (!file)
        std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size)
        std::abort();
    std::fclose(file);
    return name;
}
