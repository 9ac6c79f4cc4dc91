#include "launcher/platform/session_bus.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace krv;
using krv::test::TempDir;
using krv::test::writeFile;
namespace fs = std::filesystem;

namespace {

const std::string kId = "0123456789abcdef0123456789abcdef";

// A stand-in bus launcher: checks that it is called as libdbus calls it,
// then runs `body`.
std::string fakeLauncher(const TempDir& dir, const std::string& name, const std::string& body) {
    const fs::path path = dir.path() / name;
    writeFile(path, "#!/bin/sh\n"
                    "[ \"$*\" = \"--autolaunch " +
                        kId + " --binary-syntax --close-stderr\" ] || exit 2\n" + body + "\n");
    fs::permissions(path, fs::perms::owner_all);
    return path.string();
}

// Sets or clears one environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnv() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> old_;
};

} // namespace

TEST(SessionBus, TakesTheLaunchersAddressUpToItsNulByte) {
    TempDir dir;
    // The binary syntax: the address, a NUL byte, then the bus's process id
    // and window in binary; what the launcher says on its error output is
    // not part of it.
    const auto found = autolaunchBusAddress(
        kId, fakeLauncher(dir, "ok",
                          "echo noise >&2\n"
                          "printf 'unix:path=/tmp/bus,guid=42\\000\\001\\002\\000\\000'"));
    EXPECT_EQ(found, "unix:path=/tmp/bus,guid=42");
    EXPECT_FALSE(autolaunchBusAddress(
        kId, fakeLauncher(dir, "fails", "printf 'unix:path=/tmp/bus\\000'; exit 1")));
    EXPECT_FALSE(autolaunchBusAddress(kId, fakeLauncher(dir, "silent", "exit 0")));
    EXPECT_FALSE(autolaunchBusAddress(kId, fakeLauncher(dir, "unterminated", "printf 'unix:'")));
    EXPECT_FALSE(autolaunchBusAddress(kId, (dir.path() / "missing").string()));
}

TEST(SessionBus, AutolaunchesOnlyWithoutABusToUseAndWithADisplay) {
    TempDir runtime;
    ScopedEnv runtimeDir("XDG_RUNTIME_DIR", runtime.path().c_str());
    ScopedEnv display("DISPLAY", ":7");
    {
        ScopedEnv address("DBUS_SESSION_BUS_ADDRESS", nullptr);
        EXPECT_TRUE(sessionBusNeedsAutolaunch());
        {
            ScopedEnv noDisplay("DISPLAY", nullptr);
            EXPECT_FALSE(sessionBusNeedsAutolaunch());
        }
        // A file named bus is not the user's bus socket; a socket is.
        writeFile(runtime.path() / "bus", "");
        EXPECT_TRUE(sessionBusNeedsAutolaunch());
        fs::remove(runtime.path() / "bus");
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        const std::string socketPath = (runtime.path() / "bus").string();
        ASSERT_LT(socketPath.size(), sizeof addr.sun_path);
        socketPath.copy(addr.sun_path, socketPath.size());
        ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
        EXPECT_FALSE(sessionBusNeedsAutolaunch());
        ::close(fd);
    }
    ScopedEnv address("DBUS_SESSION_BUS_ADDRESS", "unix:path=/run/user/1000/bus");
    EXPECT_FALSE(sessionBusNeedsAutolaunch());
}
