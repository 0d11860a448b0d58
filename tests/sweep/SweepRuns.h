#pragma once
// Running the sweep programs as a user does, in a folder of their own, and
// reading back what they wrote.
#include <cerrno>
#include <csignal>
#include <functional>
#include <string>
#include <vector>

#include "ProgramRun.h"
#include "tools/sweep/ExperimentRun.h"
#include "tools/sweep/rows/TableRow.h"

// A small world where predators hunt: runs differ from seed to seed.
extern const std::string huntingWorld;

// How long a sweep of the tests may take before it counts as hung.
constexpr std::chrono::seconds sweepTimeLimit{240};

// lurkfield-sweep (or another program) run in the folder, which holds the
// world as lurkfield.config.
RunResult runSweep(const ScratchFolder& folder, const std::vector<std::string>& args,
                   std::vector<std::pair<std::string, std::string>> environment = {});
RunResult runProgramIn(const ScratchFolder& folder, const std::string& program,
                       const std::vector<std::string>& args,
                       std::vector<std::pair<std::string, std::string>> environment = {});

// mpirun with the options this machine needs (root, more ranks than cores),
// or "" when lurkfield-sweep-mpi was not built.
std::vector<std::string> mpirunCommand(int ranks);

std::vector<std::string> linesOf(const std::string& text);

// True once `happened` is, asked every few milliseconds; false at the deadline.
bool waitFor(const std::function<bool()>& happened,
             std::chrono::steady_clock::duration deadline = std::chrono::seconds(30));

// The rows of a table read back by name, as the sweep reads them (a record
// that is not a row is left out); the turns of one run among them; the frames
// that lurkfield-text --trace printed, as a table records turns.
std::vector<TableRow> tableRows(const std::string& table, const std::vector<std::string>& keys);
std::vector<RecordedTurn> turnsOf(const std::vector<TableRow>& rows, std::uint64_t run);
std::vector<RecordedTurn> frameTurns(const std::string& textOutput);

// The sweep started in a process group of its own, to be interrupted.
class GroupedSweep {
public:
    GroupedSweep(const ScratchFolder& folder, const std::vector<std::string>& args);
    ~GroupedSweep();
    void signalSweep(int signal) const { kill(pid, signal); }
    // As a terminal's Ctrl+C does: the signal to every process of the group.
    void signalGroup(int signal) const { kill(-pid, signal); }
    // Waits for the sweep to end; its wait status.
    int wait();
    // True when no process of the group is left at this very moment, or
    // waiting up to 5 s.
    bool groupGoneNow() const { return kill(-pid, 0) != 0 && errno == ESRCH; }
    bool groupGone() const {
        return waitFor([&] { return groupGoneNow(); }, std::chrono::seconds(5));
    }
    // True when no process of the group is still running, waiting up to 5 s:
    // workers whose sweep was killed outright are reaped by whoever adopts
    // them, so they may stay as zombies for a while.
    bool noLiveMember() const;

private:
    pid_t pid;
    bool reaped = false;
};
