#include "support/ScratchFolder.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <system_error>

ScratchFolder::ScratchFolder() {
    std::string name = (std::filesystem::temp_directory_path() / "lurkfield-test-XXXXXX").string();
    if (mkdtemp(name.data()) == nullptr)
        throw std::system_error(errno, std::generic_category(), "mkdtemp " + name);
    dir = name;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
}

std::filesystem::path ScratchFolder::write(const std::string& name,
                                           const std::string& bytes) const {
    const std::filesystem::path file = dir / name;
    std::ofstream(file, std::ios::binary) << bytes;
    return file;
}
