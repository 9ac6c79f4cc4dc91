#!/usr/bin/env bash
# Builds the parts that parse untrusted binary files (the inspection tool
# KRVgFiles, the LZSS module, the zip extraction module) and their tests with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs those tests. Any finding fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-deps.sh

flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKRV_BUILD_GUI=OFF \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" \
    -DCMAKE_SHARED_LINKER_FLAGS="$flags" >/dev/null
cmake --build build-asan -j"$(nproc)" --target KRVgFiles krv_lzss gfiles_tests krv_unzip unzip_tests

cd build-asan
# Distinct exit codes: the tool itself ends with 0 or 1.
export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:exitcode=86
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:exitcode=87
ctest --output-on-failure -j"$(nproc)" -R '^(Gfiles|Unzip)'
