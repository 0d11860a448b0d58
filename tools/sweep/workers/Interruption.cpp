#include "tools/sweep/workers/Interruption.h"

#include <csignal>
#include <cstdlib>
#include <unistd.h>

namespace interruption {

namespace {

volatile std::sig_atomic_t noted = 0;

void note(int signal) {
    noted = signal;
}

} // namespace

void install() {
    struct sigaction action {};
    action.sa_handler = note;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a wait in poll() ends at once with EINTR.
    action.sa_flags = 0;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

bool requested() {
    return noted != 0;
}

int signalNumber() {
    return noted;
}

void endAsSignalled() {
    const int signal = noted != 0 ? static_cast<int>(noted) : SIGTERM;
    std::signal(signal, SIG_DFL);
    sigset_t unblock;
    sigemptyset(&unblock);
    sigaddset(&unblock, signal);
    sigprocmask(SIG_UNBLOCK, &unblock, nullptr);
    raise(signal);
    _exit(128 + signal);
}

} // namespace interruption
