#include "tools/sweep/workers/WorkerPool.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <poll.h>
#include <sched.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>
#ifdef __linux__
#include <sys/prctl.h>
#endif

#include "tools/sweep/output/OutputFile.h"
#include "tools/sweep/workers/WorkerProtocol.h"

namespace {

// In a worker: the run's reports, written to the pipe a chunk at a time.
class PipeRecorder : public protocol::ChunkedRecorder {
public:
    explicit PipeRecorder(int pipe) : fd(pipe) {}

private:
    void send(const std::string& chunk) override {
        // The sweep is gone: nobody is left to tell.
        int error = 0;
        if (!writeAll(fd, chunk, error))
            _exit(1);
    }

    int fd;
};

[[noreturn]] void becomeWorker(int fd, const RunRequest& request, pid_t sweep) {
    std::signal(SIGINT, SIG_IGN);
    std::signal(SIGTERM, SIG_IGN);
    std::signal(SIGPIPE, SIG_DFL);
#ifdef __linux__
    prctl(PR_SET_PDEATHSIG, SIGKILL);
#endif
    // The sweep may have died before the death signal was asked for.
    if (getppid() != sweep)
        _exit(1);
    PipeRecorder recorder(fd);
    recorder.finish(playRun(request, recorder));
    _exit(0);
}

std::string describeExit(int status) {
    if (WIFSIGNALED(status)) {
        const int signal = WTERMSIG(status);
        std::string text = "the worker was ended by signal " + std::to_string(signal) + " (" +
                           strsignal(signal) + ") before its run was over";
        if (signal == SIGKILL)
            text += "; the system may have run out of memory";
        return text;
    }
    return "the worker exited with status " + std::to_string(WEXITSTATUS(status)) +
           " before its run was over";
}

struct Worker {
    pid_t pid = -1;
    int fd = -1;
    std::uint64_t run = 0;
    std::uint64_t lastTurn = 0;
    bool broken = false;
    protocol::Decoder decoder;
};

// The state of one playAll: the workers alive and the next run to start.
class PoolRun {
public:
    PoolRun(unsigned jobCount, RunResults& sweepResults) : jobs(jobCount), results(sweepResults) {}

    void startWhatMayStart();
    void waitAndRead();
    void stopAll();
    bool anyWorker() const { return !workers.empty(); }

private:
    bool start(std::uint64_t run);
    void readFrom(Worker& worker);
    void reap(Worker& worker);
    void failRun(std::uint64_t run, std::uint64_t turnsPlayed, const std::string& why);

    unsigned jobs;
    RunResults& results;
    std::uint64_t nextStart = 0;
    std::vector<Worker> workers;
    std::vector<char> chunk = std::vector<char>(protocol::chunkBytes);
};

void PoolRun::startWhatMayStart() {
    while (workers.size() < jobs && results.mayStart(nextStart, jobs)) {
        if (!start(results.runs().at(nextStart)))
            return;
        ++nextStart;
    }
}

bool PoolRun::start(std::uint64_t run) {
    const RunRequest request = results.request(run);
    int ends[2];
    if (pipe(ends) != 0)
        return false;
    const pid_t sweep = getpid();
    const pid_t pid = fork();
    if (pid == 0) {
        close(ends[0]);
        for (const Worker& other : workers)
            close(other.fd);
        becomeWorker(ends[1], request, sweep);
    }
    close(ends[1]);
    if (pid < 0) {
        const std::string why = std::strerror(errno);
        close(ends[0]);
        // With no worker left to wait for, the run cannot wait either.
        if (!workers.empty())
            return false;
        failRun(run, 0, "could not start a worker: " + why);
        return true;
    }
    Worker& worker = workers.emplace_back();
    worker.pid = pid;
    worker.fd = ends[0];
    worker.run = run;
    return true;
}

void PoolRun::waitAndRead() {
    std::vector<pollfd> watched;
    for (const Worker& worker : workers)
        watched.push_back({worker.fd, POLLIN, 0});
    if (poll(watched.data(), watched.size(), 200) <= 0)
        return;
    for (std::size_t i = watched.size(); i-- > 0;) {
        if (watched[i].revents != 0)
            readFrom(workers[i]);
    }
    std::erase_if(workers, [](const Worker& worker) { return worker.pid < 0; });
}

void PoolRun::readFrom(Worker& worker) {
    const ssize_t got = read(worker.fd, chunk.data(), chunk.size());
    if (got < 0 && errno == EINTR)
        return;
    if (got <= 0) {
        reap(worker);
        return;
    }
    RunForwarder forwarder(results, worker.run, &worker.lastTurn);
    if (!worker.broken &&
        !worker.decoder.feed({chunk.data(), static_cast<std::size_t>(got)}, forwarder)) {
        worker.broken = true;
        kill(worker.pid, SIGKILL);
    }
}

void PoolRun::reap(Worker& worker) {
    close(worker.fd);
    int status = 0;
    while (waitpid(worker.pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!worker.decoder.ended())
        failRun(worker.run, worker.lastTurn,
                worker.broken ? "the worker sent something that is not a run's report"
                              : describeExit(status));
    worker.pid = -1;
}

void PoolRun::failRun(std::uint64_t run, std::uint64_t turnsPlayed, const std::string& why) {
    results.end(run, {RunOutcome::Failed, turnsPlayed, std::nullopt, why});
}

void PoolRun::stopAll() {
    for (const Worker& worker : workers)
        kill(worker.pid, SIGKILL);
    for (Worker& worker : workers) {
        close(worker.fd);
        while (waitpid(worker.pid, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    workers.clear();
}

} // namespace

WorkerPool::WorkerPool(unsigned jobCount) : jobs(jobCount) {}

std::string WorkerPool::description() const {
    return std::to_string(jobs) + " worker processes at once (--jobs " + std::to_string(jobs) + ")";
}

SweepState WorkerPool::playAll(RunResults& results) {
    PoolRun pool(jobs, results);
    while (!results.finished()) {
        if (const SweepState stop = results.stopping(); stop != SweepState::Running) {
            pool.stopAll();
            return stop;
        }
        pool.startWhatMayStart();
        pool.waitAndRead();
        results.waiting();
    }
    // The last workers have reported; they are ending now. Reap them, so that
    // none outlives the sweep and their time counts as the sweep's.
    while (pool.anyWorker()) {
        if (results.stopping() == SweepState::Interrupted) {
            pool.stopAll();
            return SweepState::Interrupted;
        }
        pool.waitAndRead();
    }
    return SweepState::Complete;
}

unsigned WorkerPool::cores() {
#ifdef __linux__
    cpu_set_t set;
    if (sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0)
        return static_cast<unsigned>(CPU_COUNT(&set));
#endif
    const unsigned count = std::thread::hardware_concurrency();
    return count > 0 ? count : 1;
}
