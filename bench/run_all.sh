#!/usr/bin/env bash
# Runs the benchmarks of the tool runs and of the start-up, each printing its
# ratio against the baseline it measures in the same run.
# Usage: bench/run_all.sh [BUILD_DIR]
set -euo pipefail
build="${1:-build}"
here="$(dirname "$0")"
"$build/bench/inspect/tool_runs_bench"
bash "$here/startup/startup_bench.sh" "$build"
