#!/usr/bin/env bash
# Puts the Korvath launcher of an installation into the user's applications
# menu: its icon into the user's icon theme and a desktop entry that starts
# <root>/Bin/KRVLauncher.exe in <root>/Bin.
#
#   register-desktop.sh [ROOT]        register the launcher of ROOT
#   register-desktop.sh --entry FILE ROOT
#                                     only write the entry for ROOT to FILE
#                                     (the build's install step uses this)
#   register-desktop.sh --command-entry FILE
#                                     only write the entry that starts the
#                                     korvath-launcher command to FILE (the
#                                     Debian package's menu entry)
#
# ROOT defaults to the installation this script was installed into
# (<root>/KRVLaunch/Desktop/register-desktop.sh).
set -euo pipefail

app=korvath-launcher

die() {
    echo "register-desktop.sh: $*" >&2
    exit 1
}

# A string value of a desktop entry: backslashes doubled.
string_value() {
    printf '%s' "${1//\\/\\\\}"
}

# One quoted argument of the Exec key: the reserved characters escaped, "%"
# doubled, then escaped once more as any string value is.
exec_argument() {
    local word=$1
    word=${word//\\/\\\\}
    word=${word//\"/\\\"}
    word=${word//\`/\\\`}
    word=${word//\$/\\\$}
    word=${word//%/%%}
    printf '"%s"' "$(string_value "$word")"
}

# entry_text PROGRAM ICON [FOLDER]: the launcher's desktop entry, starting
# PROGRAM (in FOLDER, when one is given).
entry_text() {
    cat <<EOF
[Desktop Entry]
Type=Application
Version=1.4
Name=Korvath Launcher
GenericName=Doom Game Launcher
Comment=Choose a Doom game, a map and the options, and start the Korvath engine
Exec=$(exec_argument "$1")
EOF
    [[ -z "${3:-}" ]] || echo "Path=$(string_value "$3")"
    cat <<EOF
Icon=$(string_value "$2")
Terminal=false
Categories=Game;ActionGame;
Keywords=Doom;Korvath;WAD;IWAD;
StartupWMClass=KRVLauncher.exe
EOF
}

if [[ "${1:-}" == "--entry" ]]; then
    (($# == 3)) || die "usage: register-desktop.sh --entry FILE ROOT"
    root="$(cd "$3" && pwd)"
    entry_text "$root/Bin/KRVLauncher.exe" "$root/KRVLaunch/Desktop/$app-256.png" "$root/Bin" > "$2"
    exit 0
fi
if [[ "${1:-}" == "--command-entry" ]]; then
    (($# == 2)) || die "usage: register-desktop.sh --command-entry FILE"
    entry_text "$app" "$app" > "$2"
    exit 0
fi

here="$(cd "$(dirname "$0")" && pwd)"
root="${1:-$here/../..}"
[[ -d "$root" ]] || die "no such folder: $root"
root="$(cd "$root" && pwd)"
[[ "$root" != *$'\n'* ]] || die "the installation root's name holds a line break"
[[ -x "$root/Bin/KRVLauncher.exe" ]] ||
    die "$root/Bin/KRVLauncher.exe not found: give the installation root (the folder above Bin)"
icons="$root/KRVLaunch/Desktop"
[[ -f "$icons/$app.svg" ]] ||
    die "$icons holds no launcher icon: install the launcher with cmake --install first"

data="${XDG_DATA_HOME:-$HOME/.local/share}"
theme="$data/icons/hicolor"
install -D -m 644 "$icons/$app.svg" "$theme/scalable/apps/$app.svg"
for png in "$icons/$app"-*.png; do
    size="${png##*-}"
    size="${size%.png}"
    install -D -m 644 "$png" "$theme/${size}x${size}/apps/$app.png"
done
entry="$data/applications/$app.desktop"
mkdir -p "$(dirname "$entry")"
entry_text "$root/Bin/KRVLauncher.exe" "$app" "$root/Bin" > "$entry"

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry"
fi
# Menus pick the entry and the icon up sooner when their caches know them.
command -v update-desktop-database >/dev/null && update-desktop-database -q "$data/applications" || true
command -v gtk-update-icon-cache >/dev/null && gtk-update-icon-cache -q -t "$theme" || true
echo "Registered $root/Bin/KRVLauncher.exe as $entry"
