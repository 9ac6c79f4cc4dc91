#pragma once
// Starting processes with POSIX calls: detached starts that the launcher
// never waits for, and hidden runs whose output is captured through a pipe.

#include "launcher/platform/platform.h"

#include <string>
#include <vector>

namespace krv {

// Starts argv[0] with the given arguments in `workingFolder`, detached from
// this process (no zombie is left behind). False when it could not be
// executed.
bool startDetached(const std::vector<std::string>& argv, const std::string& workingFolder);

// Runs argv[0] with standard output and standard error on one pipe, reads
// until the child closes it and waits for its exit code.
HiddenRunResult runCaptured(const std::vector<std::string>& argv, const std::string& workingFolder);

// The result of a hidden run whose program does not exist.
HiddenRunResult programNotFound();

} // namespace krv
