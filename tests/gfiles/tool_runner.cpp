#include "tool_runner.h"

#include "support/temp_dir.h"

#include <cerrno>
#include <sys/wait.h>
#include <unistd.h>

namespace krv::test {

namespace fs = std::filesystem;

RunResult runProgram(const fs::path& program, const std::vector<std::string>& args,
                     const fs::path& folder) {
    RunResult result;
    int fds[2];
    if (::pipe(fds) != 0)
        return result;
    std::vector<std::string> words{program.string()};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);

    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(fds[1], 1);
        ::dup2(fds[1], 2);
        ::close(fds[0]);
        ::close(fds[1]);
        if (::chdir(folder.c_str()) != 0)
            ::_exit(127);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(fds[1]);
    if (pid < 0) {
        ::close(fds[0]);
        return result;
    }
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n > 0)
            result.output.append(buffer, static_cast<std::size_t>(n));
        else if (n == 0 || errno != EINTR)
            break;
    }
    ::close(fds[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    return result;
}

GfilesInstall::GfilesInstall(const fs::path& root) : bin_(root / "Bin") {
    fs::create_directories(bin_);
    fs::copy_file(KRV_GFILES_EXE, tool());
    fs::copy_file(KRV_LZSS_DLL, bin_ / "LZSS.dll");
    writeFile(bin_ / "Korvath.exe", "#!/bin/sh\nexit 0\n");
}

RunResult GfilesInstall::run(const std::vector<std::string>& args) const {
    return runProgram(tool(), args, bin_);
}

RunResult GfilesInstall::runIn(const fs::path& folder, const std::vector<std::string>& args) const {
    return runProgram(tool(), args, folder);
}

} // namespace krv::test
