#!/usr/bin/env bash
# Start-up of the real launcher under Xvfb (no window manager) on generated
# libraries, each row against its baseline measured in the same run.
# The project's measure, with medians of KRV_BENCH_PAIRS pairs (default 7),
# each pair a bare Qt window (one QLabel) and then the launcher, started in
# turn: the time from the process start to its main window's first MapNotify,
# seen by an X client that listens on the root window from before the start
# (map_watch.py), for
#   - an empty library (installed games view, one IWAD in the root),
#   - 2,000 installed games, one of them remembered,
#   - 10,000 installed games,
#   - the empty library again, with a D-Bus session bus as a desktop has,
#   - a remembered game of 4,096 WADs, with the time until its restore has
#     ended (no child and no progress dialog for half a second; the half
#     second is not counted) and whether its progress was shown.
# The earlier rows, one start each, polled with xdotool every 10 ms (their
# baseline includes that polling):
#   - the time until the main window is visible, against the bare window;
#   - for a remembered game of many WADs (or a zip of many WADs), also the
#     time until the restore has ended (no tool run for half a second).
# Usage: startup_bench.sh [BUILD_DIR]   (display: KRV_BENCH_DISPLAY, default :97)
set -euo pipefail
build="$(cd "${1:-build}" && pwd)"
here="$(cd "$(dirname "$0")" && pwd)"
display="${KRV_BENCH_DISPLAY:-:97}"
pairs="${KRV_BENCH_PAIRS:-7}"

# What the measurements need, installed when missing (Debian, as root).
missing=()
/usr/bin/python3 -c 'import Xlib' 2>/dev/null || missing+=(python3-xlib)
command -v Xvfb >/dev/null || missing+=(xvfb)
command -v xdpyinfo >/dev/null || missing+=(x11-utils)
command -v xdotool >/dev/null || missing+=(xdotool)
command -v bc >/dev/null || missing+=(bc)
command -v dbus-launch >/dev/null || missing+=(dbus-x11)
[[ -e /usr/share/games/doom/freedoom2.wad ]] || missing+=(freedoom)
if ((${#missing[@]})); then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi

work="$(mktemp -d /tmp/krv-startup-bench-XXXXXX)"
trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT

Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY="$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
echo "load at the start: $(uptime | sed "s/.*load average: //")"

now() { date +%s.%N; }

# The programs are copied first, so that the build may change during the run.
cmake --install "$build" --prefix "$work/install" >/dev/null
mkdir -p "$work/tools"
cp "$build/bench/startup/make_bench_library" "$build/bench/startup/minimal_window" \
    "$build/bench/inspect/tool_runs_bench" "$here/map_watch.py" "$work/tools/"

# An installation root with the built programs, freedoom as the IWADs and the
# generated library. Arguments: NAME GAMES WADS ZIPWADS REMEMBERED [IWADS]
# IWADS: "both" (Doom and Doom II in Iwads, the default) or "one" (Doom II in
# the root).
make_root() {
    local root="$work/$1"
    cp -a "$work/install" "$root"
    printf '#!/bin/sh\nexit 0\n' >"$root/Bin/Korvath.exe"
    chmod +x "$root/Bin/Korvath.exe"
    printf 'placeholder\n' >"$root/Bin/fmodex.dll"
    mkdir -p "$root/KRVLaunch/Data" "$root/KRVGames" "$root/KRVArchives" "$root/Iwads"
    printf 'Korvath v2.2\r\n' >"$root/KRVLaunch/Data/version.krv"
    if [[ "${6:-both}" == one ]]; then
        ln -sf /usr/share/games/doom/freedoom2.wad "$root/Doom2.wad"
    else
        ln -sf /usr/share/games/doom/freedoom1.wad "$root/Iwads/Doom.wad"
        ln -sf /usr/share/games/doom/freedoom2.wad "$root/Iwads/Doom2.wad"
    fi
    "$work/tools/make_bench_library" "$root" "$2" "$3" "$4" "$5"
    echo "$root"
}

# Starts a program, prints "seconds-until-visible seconds-until-idle" and
# ends it. Idle: the program has had no child for 0.5 s after its window
# showed and no progress dialog is up (the 0.5 s are not counted).
# A start whose connection to the display failed is not a start-up time: it
# prints "retry", and `measure` runs it again (at most three times).
measure_once() {
    local caption="$1"
    shift
    local tmp
    tmp="$(mktemp -d "$work/run-XXXXXX")"
    local t0 t1 t2 quiet=0
    t0="$(now)"
    TMPDIR="$tmp" XDG_RUNTIME_DIR="$tmp" "$@" >"$tmp.log" 2>&1 &
    local pid=$!
    # Polled every 10 ms: xdotool's own --sync waits half a second between
    # its searches, which would round every start up to that. A program that
    # ends before its window shows is reported with its output.
    until xdotool search --onlyvisible --name "$caption" >/dev/null 2>&1; do
        if ! kill -0 "$pid" 2>/dev/null; then
            local status=0
            wait "$pid" || status=$?
            echo "$1 ended with exit code $status before its window showed:" >&2
            tail -n 20 "$tmp.log" >&2
            if grep -q "could not connect to display" "$tmp.log"; then
                echo "retry"
            else
                echo "nan nan"
            fi
            return
        fi
        sleep 0.01
    done
    t1="$(now)"
    t2="$t1"
    while ((quiet < 10)); do
        # A tool run lives for a millisecond or two, so a long restore is
        # also told by its progress dialog (" KRVLauncher").
        if pgrep -P "$pid" >/dev/null ||
            xdotool search --onlyvisible --name "^ KRVLauncher$" >/dev/null 2>&1; then
            quiet=0
            t2=""
        else
            [[ -n "$t2" ]] || t2="$(now)"
            quiet=$((quiet + 1))
        fi
        sleep 0.05
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    echo "$(echo "$t1 - $t0" | bc -l) $(echo "$t2 - $t0" | bc -l)"
}

measure() {
    local result
    for attempt in 1 2 3; do
        result="$(measure_once "$@")"
        [[ "$result" == retry ]] || break
        echo "(display connection failed; run $attempt of 3 repeated)" >&2
        result="nan nan"
    done
    echo "$result"
}

caption="KRVLauncher v9.1  and  Korvath v2.2"
baseline() { measure "^minimal bench window$" "$work/tools/minimal_window" "minimal bench window"; }
launcher() { measure "^$caption$" "$1/Bin/KRVLauncher.exe"; }
ratio() { printf "%.2f" "$(echo "($1) / ($2)" | bc -l)"; }

read -r base _ < <(baseline)
printf 'minimal Qt window visible after %.3f s\n' "$base"

root="$(make_root empty 0 0 0 none)"
read -r shown _ < <(launcher "$root")
printf 'empty library: window after %.3f s: %sx the minimal window (goal <= 1.3x)\n' \
    "$shown" "$(ratio "$shown" "$base")"

root="$(make_root tenk 10000 0 0 none)"
read -r shown _ < <(launcher "$root")
printf '10,000 games: window after %.3f s: %sx the minimal window (goal <= 3x)\n' \
    "$shown" "$(ratio "$shown" "$base")"

for wads in 1024 4096; do
    root="$(make_root "big$wads" 0 "$wads" 0 installed)"
    read -r shown idle < <(launcher "$root")
    printf 'remembered game of %d WADs: window after %.2f s (goal <= 5 s), restore done after %.2f s (%.2f ms per WAD)\n' \
        "$wads" "$shown" "$idle" "$(echo "$idle * 1000 / $wads" | bc -l)"
done

root="$(make_root zip 0 0 2000 zip)"
spawns="$("$work/tools/tool_runs_bench" spawns 2000)"
read -r shown idle < <(launcher "$root")
printf 'zip of 2,000 tiny WADs: window after %.2f s, restore done after %.2f s; 2,000 bare spawns %.2f s: %sx (goal <= 2x)\n' \
    "$shown" "$idle" "$(echo "$spawns / 1000" | bc -l)" "$(ratio "$idle - $base" "$spawns / 1000")"

# ---- First map of the window, seen by a listening X client ----------------

# Runs map_watch.py with its own TMPDIR and XDG_RUNTIME_DIR; prints "MAP
# RESTORE PROGRESS" in seconds. A failed display connection is retried (at
# most three times).
watch_map() {
    local tmp result
    tmp="$(mktemp -d "$work/run-XXXXXX")"
    for attempt in 1 2 3; do
        result="$(TMPDIR="$tmp" XDG_RUNTIME_DIR="$tmp" /usr/bin/python3 "$work/tools/map_watch.py" "$@")"
        [[ "$result" == retry ]] || break
        echo "(display connection failed; run $attempt of 3 repeated)" >&2
        result="nan nan 0"
    done
    echo "$result"
}

# The median, smallest and largest of the numbers given ("nan" left out).
stats() {
    printf '%s\n' "$@" | grep -v nan | sort -g | awk '
        { v[NR] = $1 }
        END {
            if (NR == 0) { print "nan nan nan"; exit }
            m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
            print m, v[1], v[NR]
        }'
}

bare_caption="bare Qt window"
bare() { watch_map "$bare_caption" "$work/tools/minimal_window" "$bare_caption"; }
# Arguments: ROOT [--restore]
mapped_launcher() { watch_map ${2:+"$2"} "$caption" "$1/Bin/KRVLauncher.exe"; }

# Measures `pairs` pairs after one unmeasured pair (it brings the programs and
# the library into the file cache). Sets the arrays bases, shows, restores and
# the flag progress (1 when every restore showed its progress).
measure_pairs() {
    # The roots were just written: their writing back to disk is not part of
    # any start.
    sync
    bare >/dev/null
    mapped_launcher "$@" >/dev/null
    bases=() shows=() restores=() progress=1
    local b s r p
    for ((i = 0; i < pairs; i++)); do
        read -r b _ _ < <(bare)
        read -r s r p < <(mapped_launcher "$@")
        bases+=("$b") shows+=("$s") restores+=("$r")
        ((p)) || progress=0
    done
}

# "median ms (smallest-largest)" of seconds.
in_ms() { awk '{ printf "%.0f ms (%.0f-%.0f)", $1 * 1000, $2 * 1000, $3 * 1000 }' <<<"$1"; }

# Arguments: LABEL GOAL ROOT
map_row() {
    measure_pairs "$3"
    local base show
    base="$(stats "${bases[@]}")"
    show="$(stats "${shows[@]}")"
    printf '%s: window mapped after %s, bare Qt window %s: %sx (goal <= %sx)\n' \
        "$1" "$(in_ms "$show")" "$(in_ms "$base")" "$(ratio "${show%% *}" "${base%% *}")" "$2"
}

echo "First map of the main window against a bare Qt window, medians of $pairs pairs (range):"
map_row "empty library, one IWAD in the root" 1.3 "$(make_root map-empty 0 0 0 none one)"
map_row "2,000 installed games, one remembered" 1.5 "$(make_root map-2k 2000 0 0 first one)"
map_row "10,000 installed games" 2 "$(make_root map-10k 10000 0 0 none one)"
# The rows above run without a D-Bus session bus, as on a bare display: at
# its first widget each program then waits for D-Bus to be launched for it,
# and that wait hides part of the launcher's own work. A desktop session has
# a bus: the empty library once more, with one.
eval "$(dbus-launch --sh-syntax)"
map_row "empty library, with a session bus" 1.3 "$(make_root map-empty-bus 0 0 0 none one)"
kill "$DBUS_SESSION_BUS_PID" 2>/dev/null || true
unset DBUS_SESSION_BUS_ADDRESS DBUS_SESSION_BUS_PID

wads=4096
measure_pairs "$(make_root map-restore 0 "$wads" 0 installed one)" --restore
base="$(stats "${bases[@]}")"
show="$(stats "${shows[@]}")"
restore="$(stats "${restores[@]}")"
printf 'remembered game of %d WADs: window mapped after %s, bare Qt window %s: %sx\n' \
    "$wads" "$(in_ms "$show")" "$(in_ms "$base")" "$(ratio "${show%% *}" "${base%% *}")"
printf '  restore done after %s, %.2f ms per WAD, progress shown: %s (goal <= 2 s, 0.5 ms per WAD)\n' \
    "$(in_ms "$restore")" "$(echo "${restore%% *} * 1000 / $wads" | bc -l)" \
    "$( ((progress)) && echo yes || echo no)"
echo "load at the end: $(uptime | sed "s/.*load average: //")"
