#include "SweepRuns.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <fcntl.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "TextRuns.h"

const std::string huntingWorld =
    "grid.x 24\ngrid.y 16\nobstacle.density 12\nprey.number 30\n"
    "predator.number 6\nprey.reaction_time 1\npredator.reaction_time 1\n"
    "prey.eatable 1\nobstacle.blocks_los 1\npredator.sight 6\n"
    "predator.hearing 4\n";

RunResult runProgramIn(const ScratchFolder& folder, const std::string& program,
                       const std::vector<std::string>& args,
                       std::vector<std::pair<std::string, std::string>> environment) {
    return runProgram({program, args, folder.path(), sweepTimeLimit, std::move(environment)});
}

RunResult runSweep(const ScratchFolder& folder, const std::vector<std::string>& args,
                   std::vector<std::pair<std::string, std::string>> environment) {
    return runProgramIn(folder, LURKFIELD_SWEEP_PROGRAM, args, std::move(environment));
}

std::vector<std::string> mpirunCommand(int ranks) {
    const std::string mpirun = LURKFIELD_MPIRUN;
    const std::string program = LURKFIELD_SWEEP_MPI_PROGRAM;
    if (mpirun.empty() || program.empty())
        return {};
    std::vector<std::string> command = {mpirun, "--oversubscribe"};
    if (geteuid() == 0)
        command.push_back("--allow-run-as-root");
    for (const std::string& arg : {std::string("-np"), std::to_string(ranks), program})
        command.push_back(arg);
    return command;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> frameCounts(const std::string& textOutput) {
    std::vector<std::string> counts;
    for (const Frame& frame : framesOf(textOutput))
        counts.push_back(std::to_string(frame.turn) + "," + std::to_string(frame.obstacles) + "," +
                         std::to_string(frame.prey) + "," + std::to_string(frame.predators));
    return counts;
}

std::vector<std::string> rowCounts(const std::string& table, const std::string& runPrefix,
                                   std::size_t leadingFields) {
    std::vector<std::string> counts;
    for (const std::string& line : linesOf(table)) {
        if (line.rfind(runPrefix, 0) != 0)
            continue;
        std::size_t at = 0;
        for (std::size_t i = 0; i < leadingFields; ++i)
            at = line.find(',', at) + 1;
        counts.push_back(line.substr(at));
    }
    return counts;
}

GroupedSweep::GroupedSweep(const ScratchFolder& folder, const std::vector<std::string>& args) {
    pid = fork();
    if (pid == 0) {
        setpgid(0, 0);
        const int none = open("/dev/null", O_RDWR);
        dup2(none, STDIN_FILENO);
        dup2(none, STDOUT_FILENO);
        dup2(none, STDERR_FILENO);
        if (chdir(folder.path().c_str()) != 0)
            _exit(126);
        std::vector<char*> argv = {const_cast<char*>(LURKFIELD_SWEEP_PROGRAM)};
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    // Both sides set the group, so that it exists whichever runs first.
    setpgid(pid, pid);
}

GroupedSweep::~GroupedSweep() {
    if (!reaped) {
        kill(-pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

int GroupedSweep::wait() {
    int status = 0;
    waitpid(pid, &status, 0);
    reaped = true;
    return status;
}

bool GroupedSweep::groupGone() const {
    for (int i = 0; i < 500; ++i) {
        if (groupGoneNow())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

namespace {

// Whether a process of the group is running (not a zombie), from /proc.
bool liveMemberOf(pid_t group) {
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        if (!std::getline(stat, line) || line.rfind(')') == std::string::npos)
            continue;
        // After "pid (name)": state, parent, group.
        std::istringstream fields(line.substr(line.rfind(')') + 1));
        char state = 0;
        pid_t parent = 0, processGroup = 0;
        if (fields >> state >> parent >> processGroup && processGroup == group && state != 'Z')
            return true;
    }
    return false;
}

} // namespace

bool GroupedSweep::noLiveMember() const {
    for (int i = 0; i < 500; ++i) {
        if (!liveMemberOf(pid))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}
