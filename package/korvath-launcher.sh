#!/bin/sh
# korvath-launcher: the command of the Debian package. It puts the Korvath
# launcher into an engine installation (the launcher finds everything from the
# installation it lies in, so each installation gets its own copy of the
# program files and keeps working when the package is removed), and starts
# the launcher of the installation it last put the launcher into.
set -u
unset CDPATH

package_version=@PACKAGE_VERSION@
# The program files laid out as an installation holds them (Bin,
# KRVLaunch/Desktop, KRV_Docs); the icons and the guide are links into
# /usr/share.
image=/usr/lib/korvath-launcher
title="Korvath Launcher"
config_home=${XDG_CONFIG_HOME:-}
case $config_home in
/*) ;;
*) config_home=${HOME:-}/.config ;;
esac
remembered=$config_home/korvath-launcher/installation

usage() {
    cat <<EOF
Usage: korvath-launcher [--install-into DIR]
       korvath-launcher --help | --version

  --install-into DIR  put the Korvath launcher into the engine installation
                      DIR (the folder that holds Bin/Korvath.exe), or update
                      the launcher there; the player's settings, games,
                      records, playlists and saved games are never touched
  --help              show this help and exit
  --version           show the version and exit

Without an option, starts the launcher of the installation it was last put
into.
EOF
}

fail() {
    printf 'korvath-launcher: %s\n' "$1" >&2
    exit 1
}

usage_error() {
    printf 'korvath-launcher: %s\nTry korvath-launcher --help.\n' "$1" >&2
    exit 2
}

refuse() {
    fail "$1
Nothing was written."
}

# Says TEXT on the terminal and, in a graphical session, in a dialog (the
# menu entry has no terminal).
tell() {
    printf '%s\n' "$1" >&2
    [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || return 0
    if command -v zenity >/dev/null 2>&1; then
        zenity --info --no-markup --title="$title" --text="$1" 2>/dev/null
    elif command -v kdialog >/dev/null 2>&1; then
        kdialog --title "$title" --sorry "$1" 2>/dev/null
    elif command -v xmessage >/dev/null 2>&1; then
        printf '%s\n' "$1" | xmessage -center -title "$title" -file - 2>/dev/null
    fi
}

# ci_name FOLDER NAME: the name under which NAME exists in FOLDER, where the
# installation tree may spell it in any case (it comes from Windows): the
# exact name first, else one that differs only in case, else NAME itself.
ci_name() {
    if [ -e "$1/$2" ] || [ -L "$1/$2" ]; then
        printf '%s\n' "$2"
        return
    fi
    # One listing matched at once; a name holding a line break can only
    # yield a name that is then not found, and NAME is kept.
    # shellcheck disable=SC2010
    found=$(ls -A -- "$1" 2>/dev/null | grep -ixF -m 1 -- "$2")
    if [ -n "$found" ] && { [ -e "$1/$found" ] || [ -L "$1/$found" ]; }; then
        printf '%s\n' "$found"
    else
        printf '%s\n' "$2"
    fi
}

# ci_path ROOT RELATIVE: ROOT/RELATIVE with each component spelled as it
# exists on disk.
ci_path() {
    path=$1
    rest=$2
    while [ -n "$rest" ]; do
        part=${rest%%/*}
        case $rest in
        */*) rest=${rest#*/} ;;
        *) rest= ;;
        esac
        path=$path/$(ci_name "$path" "$part")
    done
    printf '%s\n' "$path"
}

# The launcher version of this package, and of the launcher in ROOT (empty
# when ROOT holds none with a version stamp).
package_launcher_version() {
    head -n 1 "$image/Bin/KRVLauncher.version" 2>/dev/null | tr -d '\r'
}

installed_launcher_version() {
    stamp=$(ci_path "$1" Bin/KRVLauncher.version)
    [ -f "$stamp" ] || return 0
    head -n 1 "$stamp" | tr -d '\r'
}

# Lists the program files, relative to the installation root, in $work/files;
# the installation's own desktop entry is made in $work for this root.
list_program_files() {
    (cd "$image" && find -L . -type f ! -name korvath-launcher.desktop) | sed 's|^\./||' | sort >"$work/files" ||
        fail "cannot read the program files in $image"
    bash "$image/KRVLaunch/Desktop/register-desktop.sh" --entry "$work/korvath-launcher.desktop" "$root" ||
        fail "cannot write the launcher's desktop entry for $root"
    echo KRVLaunch/Desktop/korvath-launcher.desktop >>"$work/files"
}

source_of() {
    case $1 in
    KRVLaunch/Desktop/korvath-launcher.desktop) printf '%s\n' "$work/korvath-launcher.desktop" ;;
    *) printf '%s\n' "$image/$1" ;;
    esac
}

# Refuses, before anything is written, a program file that could not be put
# in its place: a folder stands there, or the folder it goes to is not a
# folder, leads out of the installation through a link, or is not writable.
check_target() {
    dest=$(ci_path "$root" "$1")
    if [ -d "$dest" ] && [ ! -L "$dest" ]; then
        refuse "$dest is a folder, where the launcher's file $1 belongs."
    fi
    folder=${dest%/*}
    while [ ! -e "$folder" ] && [ ! -L "$folder" ]; do
        folder=${folder%/*}
    done
    [ -d "$folder" ] || refuse "$folder is not a folder, so the launcher's file $1 cannot be put there."
    real=$(realpath -- "$folder")
    case $real/ in
    "$root"/*) ;;
    *) refuse "$folder leads out of $root (to $real), so the launcher's file $1 is not put there." ;;
    esac
    [ -w "$folder" ] || refuse "$folder is not writable for you, so the launcher's file $1 cannot be put there."
}

# Puts one program file in place, unless the same file is there already: it
# is written beside its place and renamed over it, so that a link there is
# replaced, never followed, and no half-written file is left.
install_file() {
    src=$(source_of "$1")
    dest=$(ci_path "$root" "$1")
    mode=644
    [ -x "$src" ] && mode=755
    if [ -f "$dest" ] && [ ! -L "$dest" ] && cmp -s -- "$src" "$dest"; then
        if { [ "$mode" = 755 ] && [ -x "$dest" ]; } || { [ "$mode" = 644 ] && [ ! -x "$dest" ]; }; then
            unchanged=$((unchanged + 1))
            return
        fi
    fi
    folder=${dest%/*}
    mkdir -p -- "$folder" || fail "cannot create the folder $folder"
    tmp=$(mktemp -- "$folder/.korvath-launcher.XXXXXX") || fail "cannot write in $folder"
    if ! { cat -- "$src" >"$tmp" && chmod "$mode" "$tmp" && mv -f -T -- "$tmp" "$dest"; }; then
        rm -f -- "$tmp"
        fail "cannot write $dest"
    fi
    tmp=
    written=$((written + 1))
    printf '  %s\n' "$1"
}

remember() {
    folder=${remembered%/*}
    if mkdir -p -- "$folder" && tmp=$(mktemp -- "$folder/.installation.XXXXXX") &&
        printf '%s\n' "$root" >"$tmp" && mv -f -T -- "$tmp" "$remembered"; then
        tmp=
        return
    fi
    [ -z "${tmp:-}" ] || rm -f -- "$tmp"
    tmp=
    echo "korvath-launcher: could not remember the installation in $remembered;" \
        "start the launcher with $root/Bin/KRVLauncher.exe" >&2
}

install_into() {
    dir=$1
    case $dir in
    "~"/*) dir=${HOME:-}/${dir#"~"/} ;;
    esac
    [ -n "$dir" ] || refuse "no folder given: korvath-launcher --install-into DIR"
    [ -d "$dir" ] || refuse "$dir does not exist or is not a folder: give the folder the Korvath engine is installed in."
    root=$(cd -- "$dir" 2>/dev/null && pwd -P) || refuse "$dir cannot be opened."
    case $root in
    *"
"*) refuse "the name of $root holds a line break." ;;
    esac
    [ -w "$root" ] || refuse "$root is not writable for you ($(id -un))."
    [ -f "$(ci_path "$root" Bin/Korvath.exe)" ] ||
        refuse "$root holds no Korvath engine (Bin/Korvath.exe): give the folder the engine is installed in."
    ours=$(package_launcher_version)
    [ -n "$ours" ] || fail "this package's launcher version is missing: reinstall the korvath-launcher package."
    theirs=$(installed_launcher_version "$root")
    if [ -n "$theirs" ]; then
        case $theirs in
        *[!0-9.]* | .* | *.) refuse "$root/Bin/KRVLauncher.version holds no launcher version: '$theirs'." ;;
        esac
        if dpkg --compare-versions "$theirs" gt "$ours"; then
            refuse "$root holds the launcher $theirs, newer than this package's $ours. Install a korvath-launcher package of $theirs or later to update it."
        fi
    fi

    work=$(mktemp -d) || fail "cannot make a temporary folder"
    list_program_files
    while IFS= read -r rel; do
        check_target "$rel"
    done <"$work/files"

    written=0
    unchanged=0
    echo "Putting the Korvath launcher $ours into $root"
    while IFS= read -r rel; do
        install_file "$rel"
    done <"$work/files"
    echo "$written files written, $unchanged already up to date."
    remember
    echo "Start it with korvath-launcher, or with Korvath Launcher in the applications menu."
}

start_remembered() {
    root=
    if [ -f "$remembered" ]; then
        IFS= read -r root <"$remembered" || true
    fi
    if [ -z "$root" ]; then
        tell "The Korvath launcher has not been put into an engine installation yet.
Put it into the folder the Korvath engine is installed in (the one that
holds Bin/Korvath.exe), for example:

    korvath-launcher --install-into ~/Games/Korvath

then start Korvath Launcher again."
        exit 1
    fi
    exe=$(ci_path "$root" Bin/KRVLauncher.exe)
    if [ ! -f "$exe" ] || [ ! -x "$exe" ]; then
        tell "$root no longer holds the Korvath launcher.
Put it back with:

    korvath-launcher --install-into '$root'"
        exit 1
    fi
    cd -- "${exe%/*}" || fail "cannot enter ${exe%/*}"
    exec "$exe"
}

tmp=
work=
trap '[ -z "$tmp" ] || rm -f -- "$tmp"; [ -z "$work" ] || rm -rf -- "$work"' EXIT
trap 'exit 1' HUP INT TERM

case ${1-} in
--install-into)
    [ $# -eq 2 ] || usage_error "--install-into takes one folder"
    install_into "$2"
    ;;
--install-into=*)
    [ $# -eq 1 ] || usage_error "--install-into takes one folder"
    install_into "${1#*=}"
    ;;
--help | -h)
    usage
    ;;
--version)
    echo "korvath-launcher $package_version"
    ;;
*)
    [ $# -eq 0 ] || usage_error "unknown argument: $1"
    start_remembered
    ;;
esac
