#pragma once
// The sweep's progress on standard error: runs done of all, time elapsed and an
// estimate of the time left. On a terminal it is one line, redrawn in place a
// few times a second; elsewhere (a log file, a batch job) a line every half
// minute and one at the end. Quiet shows no progress at all. Messages (a
// refused run, a warning) are printed whatever the mode, clear of the line.
#include <chrono>
#include <cstdint>
#include <string>

#include "tools/sweep/RunSink.h"

// As a sink, it counts every run that has ended.
class Progress : public RunSink {
public:
    enum class Mode { Terminal, Log, Quiet };

    Progress(std::uint64_t runs, Mode mode);

    // The mode for standard error as it is: a terminal or not, unless quiet.
    static Mode modeFor(bool quiet);

    void runDone();
    void turn(std::uint64_t, const RecordedTurn&) override {}
    void end(std::uint64_t, const RunEnd&) override { runDone(); }
    // Redraws the line if it is due; call it now and then while waiting.
    void tick();
    // Prints a message on a line of its own.
    void message(const std::string& text);
    // The last progress line, ended.
    void finish();

private:
    void show(bool force);
    void clearLine();

    std::uint64_t runs;
    std::uint64_t done = 0;
    Mode mode;
    std::chrono::steady_clock::time_point start;
    std::chrono::steady_clock::time_point lastShown;
    bool lineShown = false;
};
