#!/usr/bin/env bash
# Installs what is missing, builds only what the demo runs (the launcher,
# KRVgFiles, LZSS.dll, unzip32.dll and the demo's library builder) into
# ./build-demo without tests or benchmarks, makes a demo installation and
# starts the launcher on it. Without a display the main window is rendered
# to a PNG file instead.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-demo
started=$SECONDS

stage() {
    printf '[%s %3ds] %s\n' "$1" "$((SECONDS - started))" "$2"
}

stage 1/5 "Packages: checking the Debian packages (installing any that are missing)"
# xdg-utils and a small browser let the documentation button open the guide
# on a machine without a desktop.
extra=(xdg-utils)
command -v x-www-browser >/dev/null || extra+=(dillo)
bash scripts/setup-deps.sh "${extra[@]}"

stage 2/5 "Configure: $build (tests and benchmarks off)"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKRV_BUILD_TESTS=OFF \
    -DKRV_BUILD_BENCHMARKS=OFF "${launcher[@]}" >/dev/null

stage 3/5 "Build: the launcher, KRVgFiles, LZSS.dll and unzip32.dll with $(nproc) jobs (a few minutes on a fresh machine)"
if ! cmake --build "$build" -j"$(nproc)" >"$build/build.log" 2>&1; then
    tail -n 30 "$build/build.log" >&2
    echo "The build failed; its whole output is in $build/build.log" >&2
    exit 1
fi

stage 4/5 "Demo root: laying out the installation"
root="$(KRV_BUILD_DIR=$build bash scripts/make-demo-root.sh "${KRV_DEMO_ROOT:-$PWD/demo-root}")"
echo "Demo installation: $root"

if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
    stage 5/5 "Start: $root/Bin/KRVLauncher.exe"
    exec "$root/Bin/KRVLauncher.exe" "$@"
fi
stage 5/5 "Start: no display found, rendering the main window offscreen instead"
QT_QPA_PLATFORM=offscreen KRV_SCREENSHOT="$root/mainwindow.png" \
    "$root/Bin/KRVLauncher.exe" "$@"
