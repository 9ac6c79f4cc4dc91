#include "launcher/platform/process.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace krv {

namespace {

std::vector<char*> argvPointers(const std::vector<std::string>& argv) {
    std::vector<char*> ptrs;
    ptrs.reserve(argv.size() + 1);
    for (const auto& a : argv)
        ptrs.push_back(const_cast<char*>(a.c_str()));
    ptrs.push_back(nullptr);
    return ptrs;
}

void closeQuietly(int fd) {
    if (fd >= 0)
        ::close(fd);
}

// Reads an errno value a failed exec wrote to the status pipe; 0 when the
// pipe closed without one (the exec succeeded).
int readExecError(int fd) {
    int err = 0;
    ssize_t n;
    do
        n = ::read(fd, &err, sizeof err);
    while (n < 0 && errno == EINTR);
    return n == static_cast<ssize_t>(sizeof err) ? err : 0;
}

// In a forked child: enters the folder and executes the program; on failure
// reports errno through the status pipe and ends the child.
[[noreturn]] void execInFolder(std::vector<char*>& args, const std::string& folder, int statusFd) {
    int err = 0;
    if (::chdir(folder.c_str()) != 0)
        err = errno;
    else {
        ::execv(args[0], args.data());
        err = errno;
    }
    [[maybe_unused]] auto written = ::write(statusFd, &err, sizeof err);
    ::_exit(127);
}

void waitFor(pid_t pid, int* status) {
    while (::waitpid(pid, status, 0) < 0 && errno == EINTR) {
    }
}

} // namespace

bool startDetached(const std::vector<std::string>& argv, const std::string& workingFolder) {
    if (argv.empty())
        return false;
    auto args = argvPointers(argv);
    int status[2];
    if (::pipe2(status, O_CLOEXEC) != 0)
        return false;
    // Only async-signal-safe calls between fork and exec: the launcher may
    // have other threads (the GUI library's).
    const pid_t child = ::fork();
    if (child < 0) {
        closeQuietly(status[0]);
        closeQuietly(status[1]);
        return false;
    }
    if (child == 0) {
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild == 0)
            execInFolder(args, workingFolder, status[1]);
        if (grandchild < 0) {
            const int err = errno;
            [[maybe_unused]] auto w = ::write(status[1], &err, sizeof err);
        }
        ::_exit(0);
    }
    closeQuietly(status[1]);
    int waitStatus = 0;
    waitFor(child, &waitStatus);
    const int err = readExecError(status[0]);
    closeQuietly(status[0]);
    return err == 0;
}

HiddenRunResult runCaptured(const std::vector<std::string>& argv,
                            const std::string& workingFolder) {
    HiddenRunResult result;
    if (argv.empty())
        return result;
    auto args = argvPointers(argv);
    int output[2];
    int status[2];
    if (::pipe2(output, O_CLOEXEC) != 0) {
        result.pipeFailed = true;
        result.errorNumber = errno;
        return result;
    }
    if (::pipe2(status, O_CLOEXEC) != 0) {
        result.pipeFailed = true;
        result.errorNumber = errno;
        closeQuietly(output[0]);
        closeQuietly(output[1]);
        return result;
    }
    const int devNull = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    const pid_t child = ::fork();
    if (child == 0) {
        if (devNull >= 0)
            ::dup2(devNull, 0);
        ::dup2(output[1], 1);
        ::dup2(output[1], 2);
        execInFolder(args, workingFolder, status[1]);
    }
    closeQuietly(devNull);
    closeQuietly(output[1]);
    closeQuietly(status[1]);
    if (child < 0) {
        result.errorNumber = errno;
        closeQuietly(output[0]);
        closeQuietly(status[0]);
        return result;
    }
    const int execError = readExecError(status[0]);
    result.errorNumber = execError;
    closeQuietly(status[0]);
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(output[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        result.output.append(buffer, static_cast<std::size_t>(n));
    }
    closeQuietly(output[0]);
    int waitStatus = 0;
    waitFor(child, &waitStatus);
    result.started = execError == 0;
    if (result.started && WIFEXITED(waitStatus))
        result.exitCode = WEXITSTATUS(waitStatus);
    return result;
}

HiddenRunResult programNotFound() {
    HiddenRunResult result;
    result.errorNumber = ENOENT;
    return result;
}

} // namespace krv
