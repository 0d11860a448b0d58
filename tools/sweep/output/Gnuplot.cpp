#include "tools/sweep/output/Gnuplot.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tools/sweep/output/PlotPalette.h"

extern char** environ;

namespace {

constexpr std::size_t keyedLines = 30;

// A gnuplot string in single quotes, where only a quote needs doubling.
std::string quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("''") : std::string(1, c);
    return out + "'";
}

std::string terminalFor(const std::string& outputFile) {
    if (outputFile.ends_with(".png"))
        return "set terminal pngcairo size 1000,760 font 'sans,10'\n";
    return "set terminal svg size 1000,760 font 'sans,12' background rgb 'white'\n";
}

// One panel: the bands first, so that every mean line lies on top of them.
// The key, naming each line's values, is drawn beside the first panel only.
std::string panel(const PlotData& data, const std::string& name, int meanColumn, bool withKey) {
    const std::string file = quoted(data.dataFile());
    const bool keyed = withKey && data.lines().size() <= keyedLines;
    const std::string range = "[i=0:" + std::to_string(data.lines().size() - 1) + "]";
    const std::string columns =
        std::to_string(meanColumn + 1) + ":" + std::to_string(meanColumn + 2);
    return std::string(keyed ? "set key outside right top\n" : "unset key\n") + "set ylabel " +
           quoted(name) + "\n" + "plot for " + range + " " + file + " index i using 1:" + columns +
           " with filledcurves lc palette frac S[i+1] notitle, \\\n" + "     for " + range + " " +
           file + " index i using 1:" + std::to_string(meanColumn) +
           " with lines lw 2 lc palette frac S[i+1] " + (keyed ? "title L[i+1]" : "notitle") + "\n";
}

// The palette's stops as gnuplot reads them: 0 '#440154', 0.3 '#3b528b', ...
std::string paletteStops() {
    std::string stops;
    for (const PaletteStop& stop : plotPalette) {
        std::ostringstream at;
        at << stop.at;
        stops += (stops.empty() ? "" : ", ") + at.str() + " '" + hexColour(stop.rgb) + "'";
    }
    return stops;
}

std::string readAll(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs gnuplot on the script; its output goes to the log file.
std::string runGnuplot(const std::string& script, const std::string& log) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    std::string program = "gnuplot";
    std::vector<char*> argv = {program.data(), const_cast<char*>(script.c_str()), nullptr};
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, "gnuplot", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return spawned == ENOENT ? "gnuplot is not installed" : std::strerror(spawned);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return "";
    return "gnuplot failed: " + readAll(log);
}

// The gnuplot script that draws the data into the output file.
std::string plotScript(const PlotData& data, const std::string& outputFile,
                       const std::string& title) {
    std::string script = terminalFor(outputFile) + "set output " + quoted(outputFile) + "\n" +
                         "set termoption noenhanced\n"
                         "set palette defined (" + paletteStops() + ")\n"
                         "unset colorbox\n"
                         "set grid\n"
                         "set xlabel 'turn'\n";
    const std::size_t count = data.lines().size();
    // Many bands over one another would hide the lines: the more, the fainter.
    const double opacity = std::clamp(0.6 / static_cast<double>(count), 0.06, 0.2);
    script += "set style fill transparent solid " + std::to_string(opacity) + " noborder\n";
    script += "array S[" + std::to_string(count) + "]\narray L[" + std::to_string(count) + "]\n";
    for (std::size_t i = 0; i < count; ++i) {
        const PlotData::Line& line = data.lines()[i];
        script += "S[" + std::to_string(i + 1) + "] = " + std::to_string(line.shade) + "\n";
        script += "L[" + std::to_string(i + 1) + "] = " + quoted(line.label) + "\n";
    }
    script += "set multiplot layout 2,1 title " + quoted(title) + "\n";
    // Both panels keep the same margins, so that their turn axes line up.
    script += "set lmargin 10\nset rmargin 28\n";
    script += panel(data, "prey", 2, true);
    script += panel(data, "predators", 5, false);
    return script + "unset multiplot\nset output\n";
}

} // namespace

bool gnuplotInstalled() {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "/usr/bin:/bin");
    for (std::string folder; std::getline(folders, folder, ':');) {
        const std::string program = (folder.empty() ? "." : folder) + "/gnuplot";
        struct stat info {};
        if (stat(program.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            access(program.c_str(), X_OK) == 0)
            return true;
    }
    return false;
}

std::string drawPlot(const PlotData& data, const std::string& outputFile,
                     const std::string& title) {
    if (!data.error().empty())
        return data.error();
    if (data.lines().empty())
        return "no run was played, so there is nothing to draw";
    const std::string script = data.dataFile() + ".gp";
    const std::string log = data.dataFile() + ".log";
    std::ofstream(script) << plotScript(data, outputFile, title);
    std::string problem = runGnuplot(script, log);
    unlink(script.c_str());
    unlink(log.c_str());
    struct stat info {};
    if (problem.empty() && (stat(outputFile.c_str(), &info) != 0 || info.st_size == 0))
        problem = "gnuplot drew nothing into " + outputFile;
    return problem;
}
