#include "tools/sweep/output/OutputFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t bufferSize = 256 * 1024;

} // namespace

bool writeAll(int fd, std::string_view bytes, int& error) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            error = written < 0 ? errno : EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

OutputFile::OutputFile(const std::string& name) : fileName(name) {
    if (isStandardOutput()) {
        fd = STDOUT_FILENO;
    } else {
        struct stat info {};
        created = ::stat(name.c_str(), &info) != 0;
        fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0)
            opening = std::strerror(errno);
        else
            regular = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    }
    buffer.reserve(bufferSize);
}

void OutputFile::begin() {
    // Only a plain file can be emptied; a pipe or a device starts empty.
    if (regular && ::ftruncate(fd, 0) != 0 && writing.empty())
        writing = std::strerror(errno);
}

void OutputFile::continueAfter(std::uint64_t bytes) {
    const auto offset = static_cast<off_t>(bytes);
    if ((::ftruncate(fd, offset) != 0 || ::lseek(fd, offset, SEEK_SET) != offset) &&
        writing.empty())
        writing = std::strerror(errno);
}

void OutputFile::abandon() {
    if (fd >= 0 && created && !isStandardOutput())
        ::unlink(fileName.c_str());
}

OutputFile::~OutputFile() {
    close();
}

std::string OutputFile::close() {
    flush();
    if (fd >= 0 && !isStandardOutput() && ::close(fd) != 0 && writing.empty())
        writing = std::strerror(errno);
    fd = -1;
    return opening.empty() ? writing : opening;
}

void OutputFile::append(std::string_view records) {
    if (buffer.size() + records.size() > bufferSize)
        flush();
    if (records.size() >= bufferSize)
        writeOut(records);
    else
        buffer.append(records);
}

void OutputFile::flush() {
    writeOut(buffer);
    buffer.clear();
}

void OutputFile::writeOut(std::string_view bytes) {
    if (fd < 0 || !writing.empty() || bytes.empty())
        return;
    int error = 0;
    if (!writeAll(fd, bytes, error))
        writing = std::strerror(error);
}
