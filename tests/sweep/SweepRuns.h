#pragma once
// Running the sweep programs as a user does, in a folder of their own, and
// reading back what they wrote.
#include <cerrno>
#include <csignal>
#include <string>
#include <vector>

#include "ProgramRun.h"

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

// The counts of the frames that lurkfield-text --trace printed, as table rows
// end: "turn,obstacles,prey,predators".
std::vector<std::string> frameCounts(const std::string& textOutput);

// The counts part of every table row of one run.
std::vector<std::string> rowCounts(const std::string& table, const std::string& runPrefix,
                                   std::size_t leadingFields);

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
    // True when no process of the group is left, after waiting up to 5 s.
    bool groupGone() const;
    // True when no process of the group is left at this very moment.
    bool groupGoneNow() const { return kill(-pid, 0) != 0 && errno == ESRCH; }
    // True when no process of the group is still running after waiting up to
    // 5 s: workers whose sweep was killed outright are reaped by whoever
    // adopts them, so they may stay as zombies for a while.
    bool noLiveMember() const;

private:
    pid_t pid;
    bool reaped = false;
};
