#include "launcher/platform/process.h"

#include "launcher/platform/command_line.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <map>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace krv {

namespace {

// How long a batch waits for output before it reports progress again.
constexpr int kProgressIntervalMs = 40;

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

int waitFor(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

// Where a captured child's standard error goes.
enum class Errors { WithOutput, Discarded };

// The spawn set-up of one child: its working folder, standard input from
// /dev/null, when `outputFd` is given standard output on it and standard
// error with it or discarded, and none of the launcher's other files open.
// posix_spawn reports a failed chdir or exec as its result.
class SpawnActions {
public:
    SpawnActions(const std::string& folder, int outputFd, Errors errors = Errors::WithOutput) {
        ::posix_spawn_file_actions_init(&actions_);
        ::posix_spawnattr_init(&attr_);
        ::posix_spawn_file_actions_addchdir_np(&actions_, folder.c_str());
        ::posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0);
        if (outputFd >= 0) {
            ::posix_spawn_file_actions_adddup2(&actions_, outputFd, 1);
            if (errors == Errors::WithOutput)
                ::posix_spawn_file_actions_adddup2(&actions_, outputFd, 2);
            else
                ::posix_spawn_file_actions_addopen(&actions_, 2, "/dev/null", O_WRONLY, 0);
        }
        // A file the launcher opened without close-on-exec (a library's, or
        // one inherited) must not stay open in a child that outlives it.
        ::posix_spawn_file_actions_addclosefrom_np(&actions_, 3);
        // The child starts with default signal handling and no blocked
        // signals, whatever the GUI library set up in this process.
        sigset_t all;
        sigset_t none;
        sigfillset(&all);
        sigemptyset(&none);
        ::posix_spawnattr_setsigdefault(&attr_, &all);
        ::posix_spawnattr_setsigmask(&attr_, &none);
        flags_ = POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK;
        ::posix_spawnattr_setflags(&attr_, static_cast<short>(flags_));
    }
    ~SpawnActions() {
        ::posix_spawn_file_actions_destroy(&actions_);
        ::posix_spawnattr_destroy(&attr_);
    }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;

    void newSession() {
        flags_ |= POSIX_SPAWN_SETSID;
        ::posix_spawnattr_setflags(&attr_, static_cast<short>(flags_));
    }

    // Spawns the child into `child`; 0, or the error number when it could
    // not be started (the folder or the program could not be used).
    int spawn(const std::vector<std::string>& argv, pid_t& child) const {
        auto args = argvPointers(argv);
        return ::posix_spawn(&child, args[0], &actions_, &attr_, args.data(), environ);
    }

private:
    posix_spawn_file_actions_t actions_;
    posix_spawnattr_t attr_;
    int flags_ = 0;
};

// One hidden run of a batch while it is in flight.
struct Running {
    std::size_t index; // its place in the batch
    pid_t pid;
    int outputFd;
};

// Starts run `index`: on success it is in flight; otherwise its result says
// why it did not start.
std::optional<Running> startRun(const std::vector<std::string>& argv, const std::string& folder,
                                std::size_t index, HiddenRunResult& result,
                                Errors errors = Errors::WithOutput) {
    if (argv.empty())
        return std::nullopt;
    int output[2];
    if (::pipe2(output, O_CLOEXEC) != 0) {
        result.pipeFailed = true;
        result.errorNumber = errno;
        return std::nullopt;
    }
    pid_t child = -1;
    const int err = SpawnActions(folder, output[1], errors).spawn(argv, child);
    closeQuietly(output[1]);
    if (err != 0) {
        result.errorNumber = err;
        closeQuietly(output[0]);
        return std::nullopt;
    }
    result.started = true;
    return Running{index, child, output[0]};
}

// Reads what is waiting on the run's pipe; true when the child closed it,
// after which the run's exit code is collected.
bool readOutput(Running& run, HiddenRunResult& result) {
    char buffer[65536];
    ssize_t n;
    do
        n = ::read(run.outputFd, buffer, sizeof buffer);
    while (n < 0 && errno == EINTR);
    if (n > 0) {
        result.output.append(buffer, static_cast<std::size_t>(n));
        return false;
    }
    if (n < 0 && errno == EAGAIN)
        return false;
    closeQuietly(run.outputFd);
    const int status = waitFor(run.pid);
    if (WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    return true;
}

void killRun(const Running& run) {
    ::kill(run.pid, SIGKILL);
    closeQuietly(run.outputFd);
    waitFor(run.pid);
}

} // namespace

std::optional<pid_t> startDetached(const std::vector<std::string>& argv,
                                   const std::string& workingFolder) {
    if (argv.empty())
        return std::nullopt;
    SpawnActions actions(workingFolder, -1);
    actions.newSession();
    pid_t child = -1;
    if (actions.spawn(argv, child) != 0)
        return std::nullopt;
    return child;
}

bool reapIfEnded(pid_t child) {
    int status = 0;
    pid_t r;
    do
        r = ::waitpid(child, &status, WNOHANG);
    while (r < 0 && errno == EINTR);
    return r != 0;
}

std::optional<std::vector<HiddenRunResult>>
runCapturedAll(const std::vector<std::vector<std::string>>& argvs, const std::string& workingFolder,
               std::size_t inFlight, const BatchProgress& progress) {
    std::vector<HiddenRunResult> results(argvs.size());
    std::vector<Running> running;
    std::size_t next = 0;
    std::size_t finished = 0;
    const std::size_t limit = inFlight == 0 ? 1 : inFlight;
    for (;;) {
        while (running.size() < limit && next < argvs.size()) {
            const std::size_t i = next++;
            if (auto run = startRun(argvs[i], workingFolder, i, results[i]))
                running.push_back(*run);
            else
                ++finished;
        }
        if (running.empty())
            break;
        std::vector<pollfd> fds;
        for (const Running& run : running)
            fds.push_back({run.outputFd, POLLIN, 0});
        const int ready = ::poll(fds.data(), fds.size(), progress ? kProgressIntervalMs : -1);
        if (ready < 0 && errno != EINTR)
            break;
        for (std::size_t k = fds.size(); k-- > 0;) {
            if (fds[k].revents == 0 || !readOutput(running[k], results[running[k].index]))
                continue;
            running.erase(running.begin() + static_cast<std::ptrdiff_t>(k));
            ++finished;
        }
        if (progress && !progress(finished)) {
            for (const Running& run : running)
                killRun(run);
            return std::nullopt;
        }
    }
    return results;
}

HiddenRunResult runCaptured(const std::vector<std::string>& argv,
                            const std::string& workingFolder) {
    return std::move(runCapturedAll({argv}, workingFolder, 1)->front());
}

HiddenRunResult runForOutput(const std::vector<std::string>& argv,
                             const std::string& workingFolder) {
    HiddenRunResult result;
    if (auto run = startRun(argv, workingFolder, 0, result, Errors::Discarded))
        while (!readOutput(*run, result)) {
        }
    return result;
}

std::optional<std::vector<HiddenRunResult>>
runCommandLinesHidden(const std::vector<std::string>& commandLines,
                      const std::string& workingFolder, Progress* progress) {
    std::map<std::string, std::optional<std::vector<std::string>>> programs;
    std::vector<std::vector<std::string>> argvs;
    argvs.reserve(commandLines.size());
    for (const std::string& line : commandLines) {
        std::vector<std::string> words = splitCommandLine(line);
        if (words.empty()) {
            argvs.emplace_back();
            continue;
        }
        auto [found, isNew] = programs.try_emplace(words.front());
        if (isNew)
            found->second = resolveCommand(joinCommandLine({words.front()}), workingFolder);
        if (!found->second) {
            argvs.emplace_back();
            continue;
        }
        std::vector<std::string> argv = *found->second; // the program, after wine if any
        argv.insert(argv.end(), words.begin() + 1, words.end());
        argvs.push_back(std::move(argv));
    }
    BatchProgress report;
    if (progress)
        report = [progress](std::size_t finished) { return progress->update(finished); };
    auto results = runCapturedAll(argvs, workingFolder, kRunsInFlight, report);
    if (!results)
        return results;
    for (std::size_t i = 0; i < argvs.size(); ++i)
        if (argvs[i].empty() && !(*results)[i].pipeFailed)
            (*results)[i] = programNotFound();
    return results;
}

HiddenRunResult programNotFound() {
    HiddenRunResult result;
    result.errorNumber = ENOENT;
    return result;
}

} // namespace krv
