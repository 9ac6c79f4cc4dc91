#include "launcher/platform/session_bus.h"

#include "launcher/platform/process.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace krv {

namespace {

bool isUsersSocket(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode) && st.st_uid == ::getuid();
}

} // namespace

bool sessionBusNeedsAutolaunch() {
    if (std::getenv("DBUS_SESSION_BUS_ADDRESS"))
        return false;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime && isUsersSocket(std::string(runtime) + "/bus"))
        return false;
    const char* display = std::getenv("DISPLAY");
    return display && *display;
}

std::optional<std::string> localMachineId() {
    for (const char* file : {"/var/lib/dbus/machine-id", "/etc/machine-id"}) {
        std::ifstream in(file);
        std::string id;
        if (!std::getline(in, id))
            continue;
        if (id.size() == 32 && std::all_of(id.begin(), id.end(),
                                           [](unsigned char c) { return std::isxdigit(c) != 0; }))
            return id;
    }
    return std::nullopt;
}

std::optional<std::string> autolaunchBusAddress(const std::string& machineId,
                                                const std::string& busLauncher) {
    const HiddenRunResult run = runForOutput(
        {busLauncher, "--autolaunch", machineId, "--binary-syntax", "--close-stderr"}, "/");
    if (!run.started || run.exitCode != 0)
        return std::nullopt;
    const auto end = run.output.find('\0');
    if (end == std::string::npos || end == 0)
        return std::nullopt;
    return run.output.substr(0, end);
}

} // namespace krv
