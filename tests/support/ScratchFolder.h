#pragma once
// Temporary folders for tests: each made fresh and empty under the system's
// temporary directory, and removed with everything in it.
#include <filesystem>
#include <string>

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return dir; }
    // Writes the bytes unchanged (binary) to a file in the folder; returns its path.
    std::filesystem::path write(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path dir;
};

// One file in a scratch folder of its own, such as a configuration file.
class TempFile {
public:
    explicit TempFile(const std::string& content, const std::string& name = "lurkfield.config")
        : filePath(scratch.write(name, content).string()) {}
    const std::string& path() const { return filePath; }
    const std::filesystem::path& folder() const { return scratch.path(); }

private:
    ScratchFolder scratch;
    std::string filePath;
};
