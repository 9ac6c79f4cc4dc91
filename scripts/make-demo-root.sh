#!/usr/bin/env bash
# Lays out a demo installation in the folder given (default ./demo-root):
# the built launcher and tools installed into Bin, the stand-in engine as
# Bin/Korvath.exe, and the engine's files the launcher checks for.
#
#   make-demo-root.sh --engine-only DIR
#       lays out only the engine's part (the stand-in engine, its sound
#       library and version file): an installation to put a launcher into
set -euo pipefail
cd "$(dirname "$0")/.."
engine_only=false
if [[ "${1:-}" == "--engine-only" ]]; then
    engine_only=true
    shift
fi
root="${1:-$PWD/demo-root}"
mkdir -p "$root"
root="$(cd "$root" && pwd)"

$engine_only || cmake --install "${KRV_BUILD_DIR:-build}" --prefix "$root" >/dev/null
install -D -m 755 demo/korvath-standin.sh "$root/Bin/Korvath.exe"
# The engine's sound library belongs to the engine; the demo only needs the
# file the launcher checks for.
[[ -f "$root/Bin/fmodex.dll" ]] || printf 'demo placeholder\n' > "$root/Bin/fmodex.dll"
mkdir -p "$root/KRVLaunch/Data"
printf 'Korvath v2.2\r\n' > "$root/KRVLaunch/Data/version.krv"
if $engine_only; then
    echo "$root"
    exit 0
fi
# Modules that are not built yet are stood in for so that the start-up check
# passes; a build that makes them installs the real ones above.
for module in KRVgFiles.exe unzip32.dll; do
    [[ -f "$root/Bin/$module" ]] || printf 'demo placeholder\n' > "$root/Bin/$module"
done
mkdir -p "$root/KRVGames" "$root/KRVArchives"
cp demo/tips.txt "$root/KRVLaunch/Data/tips.txt"
# Title pictures for the banner (double-click it to cycle through them).
mkdir -p "$root/KRVLaunch/Themes"
cp demo/themes/* "$root/KRVLaunch/Themes/"
# IWAD stand-ins: Debian's Freedoom IWADs under the commercial file names, so
# that the Doom games view lists titles and a launch has a real IWAD.
freedoom=/usr/share/games/doom
if [[ -f "$freedoom/freedoom1.wad" && -f "$freedoom/freedoom2.wad" ]]; then
    mkdir -p "$root/Iwads"
    ln -sf "$freedoom/freedoom1.wad" "$root/Iwads/Doom.wad"
    for name in Doom2.wad Plutonia.wad Tnt.wad; do
        ln -sf "$freedoom/freedoom2.wad" "$root/Iwads/$name"
    done
fi
# A music pack's folder, so that its playlists are written at start-up.
mkdir -p "$root/OggVorbis/Tiber"
# A games library to click through, when the tests (and their builders)
# were built.
library_tool="${KRV_BUILD_DIR:-build}/tests/tools/make_demo_library"
[[ -x "$library_tool" ]] && "$library_tool" "$root" >/dev/null
echo "$root"
