#pragma once
// Finding the X display's session bus as libdbus finds it when the
// environment names none, but with posix_spawn: libdbus forks the whole
// process to run the bus launcher, and with the GUI library loaded that fork
// makes the bus, and what waits for it at start, milliseconds late.

#include <optional>
#include <string>

namespace krv {

// True when a session bus connection would have libdbus start the bus
// launcher: the environment names no bus address, the user's runtime folder
// holds no bus socket of the user's, and there is an X display to ask.
bool sessionBusNeedsAutolaunch();

// This machine's id as the bus launcher is given it: the first line of
// /var/lib/dbus/machine-id or else /etc/machine-id, 32 hexadecimal digits;
// nothing without one.
std::optional<std::string> localMachineId();

// Runs `busLauncher` the way libdbus does and returns the address it prints
// (its binary output: the address ends at the first NUL byte); nothing when
// it cannot run, fails or prints no address.
std::optional<std::string>
autolaunchBusAddress(const std::string& machineId,
                     const std::string& busLauncher = "/usr/bin/dbus-launch");

} // namespace krv
