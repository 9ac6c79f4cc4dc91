#!/usr/bin/env bash
# Tests the Debian package as a player meets it. Builds the package from the
# tree the test command built (./build, or KRV_BUILD_DIR), checks it with
# lintian and appstreamcli, installs it with apt-get, puts the launcher into
# a stand-in engine installation that holds a player's files, renders the
# launcher's main window offscreen from there, upgrades the package and puts
# the launcher in again, tries the refusals, removes the package and starts
# the installation once more. Each step prints its time; the last lines sum
# them up.
#
# Run as root (it installs and removes the package); CI runs it after
# scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${KRV_BUILD_DIR:-build}
[[ $(id -u) == 0 ]] || { echo "package-test.sh: run as root (it installs the package)" >&2; exit 1; }

work=$(mktemp -d)
chmod 755 "$work" # the refusal tests run as another user
installed_here=false
cleanup() {
    if $installed_here && dpkg-query -W korvath-launcher >/dev/null 2>&1; then
        apt-get purge -y -q korvath-launcher >/dev/null 2>&1 || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

times=()
current=
step() {
    if [[ -n $current ]]; then
        times+=("$(printf '%5ds  %s' $((SECONDS - step_started)) "$current")")
    fi
    current=$1
    step_started=$SECONDS
    [[ -z $current ]] || printf '\n== %s\n' "$current"
}

fail() {
    echo "package-test.sh: FAILED: $*" >&2
    exit 1
}

# The player's environment: a config folder of their own, and the folders
# the launcher's running-copy test uses.
export XDG_CONFIG_HOME=$work/config TMPDIR=$work/tmp XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$TMPDIR" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset DISPLAY WAYLAND_DISPLAY
export DEBIAN_FRONTEND=noninteractive

install_package() {
    apt-get install -y -q "$1" >"$work/apt.log" 2>&1 ||
        { apt-get update -q >/dev/null && apt-get install -y -q "$1" >"$work/apt.log" 2>&1; } ||
        { cat "$work/apt.log" >&2; fail "apt-get install $1"; }
    installed_here=true
}

# A listing of everything under a folder, with modes, sizes, times and
# contents: equal listings mean nothing was written there.
listing() {
    (
        cd "$1"
        find . -printf '%p %y %m %U %s %T@\n' | LC_ALL=C sort
        find . -type f -print0 | LC_ALL=C sort -z | xargs -0r sha256sum
    )
}

# The files the command puts into an installation, relative to its root.
program_files() {
    {
        (cd /usr/lib/korvath-launcher && find -L . -type f -printf '%P\n')
        echo KRVLaunch/Desktop/korvath-launcher.desktop
    } | LC_ALL=C sort
}

# unchanged_besides_program_files REFERENCE ROOT: every file of REFERENCE
# that is not a program file is in ROOT, byte for byte the same.
unchanged_besides_program_files() {
    local count=0 file
    while IFS= read -r -d '' file; do
        grep -qxF -- "$file" "$work/program-files" && continue
        cmp -s -- "$1/$file" "$2/$file" || fail "the player's file $file was changed"
        count=$((count + 1))
    done < <(cd "$1" && find . -type f -printf '%P\0')
    echo "  $count files of the player and the engine byte for byte unchanged"
}

# check_png FILE: a PNG picture of a window's size, not an empty one.
check_png() {
    [[ -f $1 ]] || fail "no picture was written to $1"
    [[ $(od -An -tx1 -N8 "$1" | tr -d ' \n') == 89504e470d0a1a0a ]] || fail "$1 is not a PNG file"
    local width height size
    width=$((16#$(od -An -tx1 -j16 -N4 "$1" | tr -d ' \n')))
    height=$((16#$(od -An -tx1 -j20 -N4 "$1" | tr -d ' \n')))
    size=$(stat -c %s "$1")
    # A blank window of this size compresses to a few kilobytes.
    ((width >= 320 && height >= 240 && size > 10000)) ||
        fail "$1 holds no window picture (${width}x$height, $size bytes)"
    echo "  $1: PNG ${width}x$height, $size bytes"
}

render() {
    rm -f "$2"
    QT_QPA_PLATFORM=offscreen KRV_SCREENSHOT=$2 timeout 120 "$1" || fail "$1 did not render its window"
    check_png "$2"
}

# expect_refusal TEXT COMMAND...: the command ends with status 1 and says
# TEXT and that nothing was written.
expect_refusal() {
    local text=$1 out status=0
    shift
    out=$("$@" 2>&1) || status=$?
    ((status == 1)) || fail "expected a refusal from: $* (status $status): $out"
    grep -qF -- "$text" <<<"$out" || fail "the refusal does not say '$text': $out"
    grep -qF "Nothing was written." <<<"$out" || fail "the refusal does not say nothing was written: $out"
    sed 's/^/  /' <<<"$out"
}

# A stand-in engine installation holding a player's files: settings, a game
# with its record, a playlist, a saved game and the engine's own settings.
make_player_installation() {
    local root=$1
    bash scripts/make-demo-root.sh --engine-only "$root" >/dev/null
    printf 'v9.1\r\n3\r\n0\r\n7\r\n32\r\n' >"$root/KRVLaunch/config.krv"
    mkdir -p "$root/KRVGames/Castle/Pwads" "$root/KRVLaunch/GameInfo/Pwads" \
        "$root/KRVLaunch/Music" "$root/UserSG/doom2/savegame"
    printf 'PWAD\0\0\0\0\x0c\0\0\0' >"$root/KRVGames/Castle/Pwads/castle.wad"
    printf 'MAP03\r\n' >"$root/KRVLaunch/GameInfo/Pwads/castle.krvm"
    printf 'D_RUNNIN\r\nD_STALKS\r\n' >"$root/KRVLaunch/Music/My mix.krm"
    head -c 4096 /dev/urandom >"$root/UserSG/doom2/savegame/KorvathSav0.krvsg"
    printf 'fullscreen 1\n' >"$root/Bin/Korvath.cfg"
}

step "Packages: lintian, appstream, dpkg-dev"
bash scripts/setup-deps.sh lintian appstream dpkg-dev desktop-file-utils

step "Package: scripts/package.sh --build-dir $build"
deb=$(bash scripts/package.sh --build-dir "$build" --output "$work" | tail -n 1)
echo "  $deb"
dpkg-deb --field "$deb" Package Version Depends Recommends | sed 's/^/  /'

step "Checks: lintian, appstreamcli validate, desktop-file-validate"
status=0
lintian --fail-on error --display-info "$deb" >"$work/lintian.log" 2>&1 || status=$?
grep -v 'running with root privileges' "$work/lintian.log" || echo "  lintian: nothing to report"
((status == 0)) || fail "lintian reports errors"
mkdir "$work/content"
dpkg-deb -x "$deb" "$work/content"
appstreamcli validate --no-net "$work"/content/usr/share/metainfo/*.xml
appstreamcli validate-tree --no-net "$work/content"
desktop-file-validate "$work/content/usr/share/applications/korvath-launcher.desktop"
echo "  desktop entry valid"

step "Install: apt-get install $deb"
install_package "$deb"
[[ $(command -v korvath-launcher) == /usr/bin/korvath-launcher ]] || fail "korvath-launcher is not on the PATH"
korvath-launcher --version
korvath-launcher --help | head -n 1
program_files >"$work/program-files"

step "First run: korvath-launcher --install-into (a new installation)"
root="$work/My Games/Korvath"
make_player_installation "$root"
root=$(cd "$root" && pwd -P)
cp -a "$root" "$work/before-first-run"
korvath-launcher --install-into "$root"
unchanged_besides_program_files "$work/before-first-run" "$root"
while IFS= read -r file; do
    [[ -f "$root/$file" && ! -L "$root/$file" ]] || fail "$file is not in the installation"
done <"$work/program-files"
echo "  $(wc -l <"$work/program-files") program files in place, none a link into the package"
[[ $(cat "$XDG_CONFIG_HOME/korvath-launcher/installation") == "$root" ]] ||
    fail "the installation was not remembered"
desktop-file-validate "$root/KRVLaunch/Desktop/korvath-launcher.desktop"

step "Render: korvath-launcher starts the remembered installation offscreen"
render korvath-launcher "$work/main-window.png"

step "Upgrade: package revision 2, then --install-into again"
upgrade=$(bash scripts/package.sh --build-dir "$build" --revision 2 --output "$work" | tail -n 1)
install_package "$upgrade"
korvath-launcher --version
# The installation holds two program files of an older package.
printf 'an older LZSS module\n' >"$root/Bin/LZSS.dll"
printf 'an older guide\r\n' >"$root/KRV_Docs/Launcher guide.txt"
cp -a "$root" "$work/before-second-run"
korvath-launcher --install-into "$root" | tee "$work/second-run.log"
unchanged_besides_program_files "$work/before-second-run" "$root"
printf '  %s\n' "Bin/LZSS.dll" "KRV_Docs/Launcher guide.txt" >"$work/second-run.expected"
grep '^  ' "$work/second-run.log" | cmp -s - "$work/second-run.expected" ||
    fail "the second run did not write exactly the two outdated program files"
cmp -s "$root/Bin/LZSS.dll" /usr/lib/korvath-launcher/Bin/LZSS.dll || fail "Bin/LZSS.dll was not updated"
echo "  only the two outdated program files were written"

step "Refusals: a missing folder, an unwritable one, a newer launcher, no engine"
cp "$XDG_CONFIG_HOME/korvath-launcher/installation" "$work/remembered"
expect_refusal "does not exist" korvath-launcher --install-into "$work/no such folder"
[[ ! -e "$work/no such folder" ]] || fail "the missing folder was made"

locked="$work/locked"
make_player_installation "$locked"
nobody_home="$work/nobody"
mkdir -p "$nobody_home"
chown nobody "$nobody_home"
as_nobody=(runuser -u nobody -- env HOME="$nobody_home" XDG_CONFIG_HOME="$nobody_home/.config" TMPDIR="$nobody_home"
    korvath-launcher --install-into)
listing "$locked" >"$work/locked.before"
expect_refusal "is not writable for you" "${as_nobody[@]}" "$locked"
listing "$locked" >"$work/locked.after"
cmp -s "$work/locked.before" "$work/locked.after" || fail "the unwritable installation was written to"
# A writable installation whose Bin is not: still nothing is written.
chown nobody "$locked"
listing "$locked" >"$work/locked.before"
expect_refusal "is not writable for you" "${as_nobody[@]}" "$locked"
listing "$locked" >"$work/locked.after"
cmp -s "$work/locked.before" "$work/locked.after" || fail "the installation with an unwritable Bin was written to"
[[ ! -e "$nobody_home/.config" ]] || fail "a refused installation was remembered"

newer="$work/newer"
make_player_installation "$newer"
printf 'a newer launcher\n' >"$newer/Bin/KRVLauncher.exe"
printf '9.2\n' >"$newer/Bin/KRVLauncher.version"
listing "$newer" >"$work/newer.before"
expect_refusal "newer than this package's" korvath-launcher --install-into "$newer"
listing "$newer" >"$work/newer.after"
cmp -s "$work/newer.before" "$work/newer.after" || fail "the installation with a newer launcher was written to"

mkdir "$work/not an engine"
expect_refusal "holds no Korvath engine" korvath-launcher --install-into "$work/not an engine"
[[ -z $(ls -A "$work/not an engine") ]] || fail "a folder without an engine was written to"
cmp -s "$work/remembered" "$XDG_CONFIG_HOME/korvath-launcher/installation" ||
    fail "a refused installation was remembered"

status=0
out=$(XDG_CONFIG_HOME="$work/fresh-config" korvath-launcher 2>&1) || status=$?
if ((status != 1)) || ! grep -qF -- "--install-into" <<<"$out"; then
    fail "without an installation, korvath-launcher does not say what to do: $out"
fi
echo "  without an installation (no display), on the terminal:"
sed 's/^/    /' <<<"$out"

step "Remove: apt-get purge, then the installation starts on its own"
listing "$root" >"$work/root.before"
apt-get purge -y -q korvath-launcher >"$work/apt.log" 2>&1 || { cat "$work/apt.log" >&2; fail "apt-get purge"; }
installed_here=false
[[ ! -e /usr/bin/korvath-launcher && ! -e /usr/lib/korvath-launcher ]] || fail "the package left its files"
listing "$root" >"$work/root.after"
cmp -s "$work/root.before" "$work/root.after" || fail "removing the package changed the installation"
echo "  package removed; the installation is unchanged"
render "$root/Bin/KRVLauncher.exe" "$work/after-removal.png"

step ""
printf '\nAll package checks passed. Times:\n'
printf '%s\n' "${times[@]}"
printf '%5ds  in all\n' "$SECONDS"
