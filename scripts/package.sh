#!/usr/bin/env bash
# Builds the Debian package korvath-launcher_<version>-<revision>_<arch>.deb
# of the launcher and prints its path on the last line.
#
#   scripts/package.sh [--build-dir DIR] [--revision N] [--output DIR]
#
#   --build-dir DIR  package the programs of a release tree already built in
#                    DIR (the test command's ./build), brought up to date
#                    first; without it, a release build (RelWithDebInfo,
#                    stripped) with Debian's hardening flags is made in
#                    ./build-package
#   --revision N     the package revision after the launcher's version
#                    (default 1)
#   --output DIR     the folder the package is written to (default: the
#                    repository's folder)
#
# The package holds the installation tree's program files as
# `cmake --install` lays them out, under /usr/lib/korvath-launcher (the
# icons and the guide are links to their places under /usr/share), the
# korvath-launcher command that copies them into an engine installation,
# its menu entry, AppStream entry and manual page. Its library dependencies
# are computed by dpkg-shlibdeps.
set -euo pipefail
cd "$(dirname "$0")/.."
umask 022

die() {
    echo "package.sh: $*" >&2
    exit 1
}

build=
revision=1
output=$PWD
while (($#)); do
    case $1 in
    --build-dir) build=${2:?--build-dir needs a folder}; shift 2 ;;
    --revision) revision=${2:?--revision needs a number}; shift 2 ;;
    --output) output=${2:?--output needs a folder}; shift 2 ;;
    *) die "unknown argument: $1 (see the head of this script)" ;;
    esac
done
[[ $revision =~ ^[0-9][0-9a-z.+~]*$ ]] || die "not a package revision: $revision"
mkdir -p "$output"
output="$(cd "$output" && pwd)"

bash scripts/setup-deps.sh dpkg-dev
# The date of the commit packaged dates the package's files and texts, and
# the build's own dates (__DATE__) in a build made here.
epoch=$(git log -1 --format=%ct 2>/dev/null || date +%s)
commit=$(git rev-parse --short HEAD 2>/dev/null || echo unknown)
export SOURCE_DATE_EPOCH=$epoch
programs=(KRVLauncher KRVgFiles krv_lzss krv_unzip)
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
if [[ -z $build ]]; then
    build="build-package"
    export DEB_BUILD_MAINT_OPTIONS=hardening=+all
    # Debian's flags, less the warning about __DATE__: SOURCE_DATE_EPOCH
    # fixes that date.
    cppflags=$(dpkg-buildflags --get CPPFLAGS)
    CXXFLAGS="${cppflags//-Wdate-time/} $(dpkg-buildflags --get CXXFLAGS)" \
        LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
        cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKRV_BUILD_TESTS=OFF \
        -DKRV_BUILD_BENCHMARKS=OFF "${launcher[@]}" >/dev/null
else
    cache=$build/CMakeCache.txt
    [[ -f $cache ]] || die "$build is not a configured build tree"
    type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$cache")
    [[ $type =~ ^(Release|RelWithDebInfo|MinSizeRel)$ ]] || die "$build is a ${type:-untyped} build, not a release build"
    ! grep -q -- '-fsanitize' "$cache" || die "$build is a sanitizer build"
fi
cmake --build "$build" -j"$(nproc)" --target "${programs[@]}" >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
pkg=$work/debian/korvath-launcher
image=$pkg/usr/lib/korvath-launcher
share=$pkg/usr/share
doc=$share/doc/korvath-launcher
cmake --install "$build" --prefix "$image" >/dev/null
version=$(head -n 1 "$image/Bin/KRVLauncher.version")
[[ $version =~ ^[0-9][0-9.]*$ ]] || die "no launcher version in $build (Bin/KRVLauncher.version)"
full=$version-$revision
arch=$(dpkg --print-architecture)
# An installation's own desktop entry names its folder: the command writes it
# for each installation.
rm "$image/KRVLaunch/Desktop/korvath-launcher.desktop"

# link FROM TO: a relative link at FROM to TO.
link() {
    mkdir -p "$(dirname "$1")"
    ln -s "$(realpath -m --relative-to="$(dirname "$1")" "$2")" "$1"
}

# move FROM TO: moves FROM to TO and leaves a link to it in its place.
move() {
    mkdir -p "$(dirname "$2")"
    mv "$1" "$2"
    link "$1" "$2"
}

# The icons go into the hicolor theme, the guide to the package's data with
# links from its documentation folder.
desktop=$image/KRVLaunch/Desktop
for png in "$desktop"/korvath-launcher-*.png; do
    size=${png##*-}
    size=${size%.png}
    move "$png" "$share/icons/hicolor/${size}x$size/apps/korvath-launcher.png"
done
move "$desktop/korvath-launcher.svg" "$share/icons/hicolor/scalable/apps/korvath-launcher.svg"
move "$image/KRV_Docs" "$share/korvath-launcher/KRV_Docs"
for entry in "$share/korvath-launcher/KRV_Docs"/*; do
    link "$doc/${entry##*/}" "$entry"
done

day=$(date -u -d "@$epoch" +%F)
maintainer="${DEBFULLNAME:-Korvath Launcher developers} <${DEBEMAIL:-maintainers@korvath-launcher.example}>"

install -D -m 755 package/korvath-launcher.sh "$pkg/usr/bin/korvath-launcher"
sed -i "s/@PACKAGE_VERSION@/$full/" "$pkg/usr/bin/korvath-launcher"
mkdir -p "$share/applications" "$share/metainfo" "$share/man/man1"
bash desktop/register-desktop.sh --command-entry "$share/applications/korvath-launcher.desktop"
sed "s/@VERSION@/$version/; s/@DATE@/$day/" package/org.korvath.launcher.metainfo.xml \
    >"$share/metainfo/org.korvath.launcher.metainfo.xml"
sed "s/@VERSION@/$full/; s/@DATE@/$day/" package/korvath-launcher.1 |
    gzip -9n >"$share/man/man1/korvath-launcher.1.gz"
install -m 644 package/copyright "$doc/copyright"
sed "s/@MAINTAINER@/$maintainer/" package/control >"$work/debian/control"
cat >"$work/debian/changelog" <<EOF
korvath-launcher ($full) unstable; urgency=medium

  * Korvath launcher $version, built from commit $commit.

 -- $maintainer  $(date -u -R -d "@$epoch")
EOF
gzip -9n <"$work/debian/changelog" >"$doc/changelog.Debian.gz"

# The ELF files are stripped as Debian's packaging tools strip them; the
# control file gets their library dependencies, the installed size and the
# version from the changelog.
mkdir "$pkg/DEBIAN"
(
    cd "$work"
    elf_files=()
    while IFS= read -r -d '' file; do
        [[ $(head -c 4 "$file" | od -An -c | tr -d ' ') == '177ELF' ]] && elf_files+=("$file")
    done < <(find debian/korvath-launcher -type f -print0)
    strip --strip-unneeded --remove-section=.comment --remove-section=.note "${elf_files[@]}"
    dpkg-shlibdeps -Tdebian/korvath-launcher.substvars "${elf_files[@]}"
    dpkg-gencontrol -pkorvath-launcher -Pdebian/korvath-launcher -fdebian/files \
        -Tdebian/korvath-launcher.substvars
)
(cd "$pkg" && find . -path ./DEBIAN -prune -o -type f -printf '%P\0' | LC_ALL=C sort -z |
    xargs -0 md5sum) >"$pkg/DEBIAN/md5sums"
chmod 644 "$pkg/DEBIAN/control" "$pkg/DEBIAN/md5sums"
find "$pkg" -exec touch -h -d "@$epoch" {} +

deb=$output/korvath-launcher_${full}_$arch.deb
dpkg-deb --root-owner-group -Zxz --build "$pkg" "$deb" >/dev/null
echo "$deb"
