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
#include "tools/sweep/rows/RowReader.h"

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

bool waitFor(const std::function<bool()>& happened, std::chrono::steady_clock::duration deadline) {
    const auto until = std::chrono::steady_clock::now() + deadline;
    while (!happened()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

std::vector<TableRow> tableRows(const std::string& table, const std::vector<std::string>& keys) {
    const std::vector<std::string> lines = linesOf(table);
    const auto reader = RowReader<TableRow>::of(keys, lines.empty() ? "" : lines[0]);
    std::vector<TableRow> rows;
    for (std::size_t i = 1; reader && i < lines.size(); ++i) {
        if (const std::optional<TableRow> row = reader->read(lines[i]))
            rows.push_back(*row);
    }
    return rows;
}

std::vector<RecordedTurn> turnsOf(const std::vector<TableRow>& rows, std::uint64_t run) {
    std::vector<RecordedTurn> turns;
    for (const TableRow& row : rows) {
        if (row.run == run)
            turns.push_back({row.turn, row.census});
    }
    return turns;
}

std::vector<RecordedTurn> frameTurns(const std::string& textOutput) {
    std::vector<RecordedTurn> turns;
    for (const Frame& frame : framesOf(textOutput))
        turns.push_back({frame.turn, {frame.obstacles, frame.prey, frame.predators}});
    return turns;
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
    return waitFor([&] { return !liveMemberOf(pid); }, std::chrono::seconds(5));
}
