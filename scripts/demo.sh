#!/usr/bin/env bash
# Installs what is missing, builds the launcher, makes a demo installation
# and starts the launcher on it. Without a display the main window is
# rendered to a PNG file instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-deps.sh
bash scripts/build.sh
root="$(bash scripts/make-demo-root.sh "${KRV_DEMO_ROOT:-$PWD/demo-root}")"
echo "Demo installation: $root"
if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
    exec "$root/Bin/KRVLauncher.exe" "$@"
fi
echo "No display found: rendering the main window offscreen instead."
QT_QPA_PLATFORM=offscreen KRV_SCREENSHOT="$root/mainwindow.png" \
    "$root/Bin/KRVLauncher.exe" "$@"
