#include "tools/sweep/output/ReplacedFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

ReplacedFile::ReplacedFile(const std::string& name) : fileName(name), temporary(name + ".tmp") {
    temporary.begin();
}

ReplacedFile::~ReplacedFile() {
    temporary.close();
    if (temporary.openError().empty() && !renamed)
        ::unlink(temporary.name().c_str());
}

std::string ReplacedFile::replace() {
    if (std::rename(temporary.name().c_str(), fileName.c_str()) != 0)
        return std::strerror(errno);
    renamed = true;
    return "";
}

std::string replaceFile(const std::string& name, std::string_view content) {
    ReplacedFile file(name);
    file.append(content);
    std::string problem = file.finish();
    if (problem.empty())
        problem = file.replace();
    return problem;
}
