#pragma once
// Starting processes with posix_spawn (never a fork of the launcher):
// detached starts that the launcher does not wait for, and hidden runs whose
// output is captured through a pipe, several at a time, read with poll from
// the calling thread.

#include "launcher/platform/platform.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace krv {

// Starts argv[0] with the given arguments in `workingFolder`, in a session
// of its own. Returns its process id, or nothing when it could not be
// executed. The caller reaps it (reapWhenEnded).
std::optional<pid_t> startDetached(const std::vector<std::string>& argv,
                                   const std::string& workingFolder);

// Collects the exit status of a child that has ended, so that no zombie is
// left behind; false while it still runs.
bool reapIfEnded(pid_t child);

// Runs argv[0] with standard output and standard error on one pipe, reads
// until the child closes it and waits for its exit code.
HiddenRunResult runCaptured(const std::vector<std::string>& argv, const std::string& workingFolder);

// Runs argv[0] as runCaptured does, but with its standard error discarded:
// for a program whose output is data.
HiddenRunResult runForOutput(const std::vector<std::string>& argv,
                             const std::string& workingFolder);

// How many hidden runs of one batch are in flight at once: enough to keep
// both cores busy while a child waits for the scheduler, few enough not to
// crowd a small machine.
inline constexpr std::size_t kRunsInFlight = 4;

// Called with the count of finished runs whenever one ends, and at least
// every few tens of milliseconds meanwhile; false stops the batch.
using BatchProgress = std::function<bool(std::size_t finished)>;

// Runs every argument vector as runCaptured does, at most `inFlight` at once,
// and returns the results in the order given. When `progress` answers false
// the runs in flight are killed, no more are started and nothing is
// returned. An empty argument vector gives a result that did not start.
std::optional<std::vector<HiddenRunResult>>
runCapturedAll(const std::vector<std::vector<std::string>>& argvs, const std::string& workingFolder,
               std::size_t inFlight = kRunsInFlight, const BatchProgress& progress = {});

// Resolves each command line (resolveCommand) and runs them all hidden; a
// line whose program is missing gives programNotFound. The program of equal
// first words is looked up once.
std::optional<std::vector<HiddenRunResult>>
runCommandLinesHidden(const std::vector<std::string>& commandLines,
                      const std::string& workingFolder, Progress* progress);

// The result of a hidden run whose program does not exist.
HiddenRunResult programNotFound();

} // namespace krv
