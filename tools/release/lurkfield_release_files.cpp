// Makes the files a release carries besides the programs, from the project's
// own texts; the build runs it (cmake/Manuals.cmake, cmake/Packaging.cmake).
//   lurkfield-release-files debian-changelog CHANGELOG.md MAINTAINER OUT
//   lurkfield-release-files man-page PAGE.md README.md VERSION DATE OUT [PROGRAM]
//       PROGRAM: the program whose --help the page shows
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/release/Changelog.h"
#include "tools/release/DebianChangelog.h"
#include "tools/release/ManPage.h"

namespace {

const char usage[] =
    "usage: lurkfield-release-files debian-changelog CHANGELOG.md MAINTAINER OUT\n"
    "       lurkfield-release-files man-page PAGE.md README.md VERSION DATE OUT [PROGRAM]\n";

std::string readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in)
        throw std::runtime_error("cannot read it");
    return text.str();
}

void writeWhole(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    out.close();
    if (!out)
        throw std::runtime_error(path + ": cannot write it");
}

// What `program --help` prints; the build names the program by its full path.
std::string helpOf(const std::string& program) {
    FILE* pipe = popen(("'" + program + "' --help").c_str(), "r");
    if (pipe == nullptr)
        throw std::runtime_error("cannot run " + program);
    std::string help;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        help.append(buffer, got);
    if (pclose(pipe) != 0)
        throw std::runtime_error(program + " --help failed");
    return help;
}

void makeDebianChangelog(const std::vector<std::string>& args) {
    std::istringstream changelog(readWhole(args[0]));
    writeWhole(args[2], debianChangelog(readChangelog(changelog), {"lurkfield", args[1]}));
}

void makeManPage(const std::vector<std::string>& args) {
    std::string page = withReadmeSections(readWhole(args[0]), readWhole(args[1]));
    if (args.size() == 6)
        page = withHelp(page, helpOf(args[5]));
    writeWhole(args[4], manPage(page, {args[2], args[3]}));
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const bool changelog = args.size() == 4 && args[0] == "debian-changelog";
    const bool page = (args.size() == 6 || args.size() == 7) && args[0] == "man-page";
    if (!changelog && !page) {
        std::cerr << usage;
        return 2;
    }
    try {
        const std::vector<std::string> rest(args.begin() + 1, args.end());
        changelog ? makeDebianChangelog(rest) : makeManPage(rest);
    } catch (const std::exception& error) {
        std::cerr << "lurkfield-release-files: " << args[1] << ": " << error.what() << '\n';
        return 1;
    }
    return 0;
}
