#include "tools/sweep/output/Progress.h"

#include <cstdio>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// "1:02:03" or "2:03" for a duration in seconds.
std::string clockText(double seconds) {
    const auto whole = static_cast<std::uint64_t>(seconds + 0.5);
    char text[32];
    if (whole >= 3600)
        std::snprintf(text, sizeof text, "%llu:%02llu:%02llu",
                      static_cast<unsigned long long>(whole / 3600),
                      static_cast<unsigned long long>(whole / 60 % 60),
                      static_cast<unsigned long long>(whole % 60));
    else
        std::snprintf(text, sizeof text, "%llu:%02llu", static_cast<unsigned long long>(whole / 60),
                      static_cast<unsigned long long>(whole % 60));
    return text;
}

// "runs done 3/10, 0:12 elapsed, about 0:28 left"
std::string line(std::uint64_t done, std::uint64_t runs, double elapsedSeconds) {
    std::string text = "runs done " + std::to_string(done) + "/" + std::to_string(runs) + ", " +
                       clockText(elapsedSeconds) + " elapsed";
    if (done == runs)
        return text;
    if (done == 0)
        return text + ", time left not known yet";
    const double left =
        elapsedSeconds / static_cast<double>(done) * static_cast<double>(runs - done);
    return text + ", about " + clockText(left) + " left";
}

} // namespace

Progress::Progress(std::uint64_t runCount, Mode progressMode)
    : runs(runCount), mode(progressMode), start(Clock::now()), lastShown(start) {}

Progress::Mode Progress::modeFor(bool quiet) {
    if (quiet)
        return Mode::Quiet;
    return isatty(STDERR_FILENO) ? Mode::Terminal : Mode::Log;
}

void Progress::runDone() {
    ++done;
    show(false);
}

void Progress::tick() {
    show(false);
}

void Progress::message(const std::string& text) {
    clearLine();
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
    if (mode == Mode::Terminal)
        show(true);
}

void Progress::finish() {
    if (mode == Mode::Quiet)
        return;
    show(true);
    if (mode == Mode::Terminal && lineShown)
        std::fputc('\n', stderr);
    lineShown = false;
    std::fflush(stderr);
}

void Progress::show(bool force) {
    const auto due =
        mode == Mode::Terminal ? std::chrono::milliseconds(200) : std::chrono::seconds(30);
    if (mode == Mode::Quiet || (!force && Clock::now() - lastShown < due))
        return;
    lastShown = Clock::now();
    const std::string text = line(done, runs, secondsSince(start));
    if (mode == Mode::Terminal) {
        // Back to the start of the line, the new text, and the rest of the old one erased.
        std::fprintf(stderr, "\r%s\x1b[K", text.c_str());
        lineShown = true;
    } else {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
    std::fflush(stderr);
}

void Progress::clearLine() {
    if (mode == Mode::Terminal && lineShown)
        std::fputs("\r\x1b[K", stderr);
    lineShown = false;
}
