#include "ProgramRun.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

std::string readWhole(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

namespace {

// In the child: output to files, the environment adjusted, then the program.
[[noreturn]] void becomeProgram(const ProgramRequest& request, const std::string& outFile,
                                const std::string& errFile) {
    const int out = open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int none = open("/dev/null", O_RDONLY);
    if (out < 0 || err < 0 || none < 0 || chdir(request.folder.c_str()) != 0)
        _exit(126);
    dup2(none, STDIN_FILENO);
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    for (const auto& [name, value] : request.environment)
        setenv(name.c_str(), value.c_str(), 1);
    if (request.addressSpaceLimit != 0) {
        const rlimit limit{request.addressSpaceLimit, request.addressSpaceLimit};
        if (setrlimit(RLIMIT_AS, &limit) != 0)
            _exit(125);
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(request.program.c_str()));
    for (const std::string& arg : request.args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(request.program.c_str(), argv.data());
    _exit(127);
}

// Waits for the child, killing it once the time limit has passed.
int waitWithLimit(pid_t child, const ProgramRequest& request, RunResult& result) {
    const auto start = std::chrono::steady_clock::now();
    int status = 0;
    rusage usage{};
    for (;;) {
        const pid_t done = wait4(child, &status, WNOHANG, &usage);
        if (done == child)
            break;
        if (done < 0 && errno != EINTR)
            return -1;
        if (std::chrono::steady_clock::now() - start > request.timeLimit) {
            kill(child, SIGKILL);
            wait4(child, &status, 0, &usage);
            result.elapsed = std::chrono::steady_clock::now() - start;
            return 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    result.elapsed = std::chrono::steady_clock::now() - start;
    result.finished = true;
    result.peakKilobytes = usage.ru_maxrss;
    if (WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        result.signal = WTERMSIG(status);
    return 0;
}

} // namespace

RunResult runProgram(const ProgramRequest& request) {
    const ScratchFolder captured;
    const std::string outFile = (captured.path() / "out").string();
    const std::string errFile = (captured.path() / "err").string();
    RunResult result;
    const pid_t child = fork();
    if (child == 0)
        becomeProgram(request, outFile, errFile);
    if (child < 0 || waitWithLimit(child, request, result) != 0)
        return result;
    result.out = readWhole(outFile);
    result.err = readWhole(errFile);
    return result;
}
