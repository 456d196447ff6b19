#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a copy of the tree in build-deb/, checks it
# with lintian, installs it with apt-get, checks the installed files and
# removes the package again. The .deb stays in build-deb/.
#   scripts/package.sh
# Needs dpkg-dev, debhelper, lintian and the Build-Depends of debian/control
# (scripts/kelvane.sh test installs them); installing needs root or sudo.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
started=$SECONDS
out=$root/build-deb

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)

version=$(sed -n 's/^project(Kelvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
changelog_version=$(dpkg-parsechangelog -l debian/changelog -S Version)
if [ -z "$version" ] || [ "$version" != "$changelog_version" ]; then
    echo "FAIL: CMakeLists.txt says version '$version', debian/changelog '$changelog_version'" >&2
    exit 1
fi
if dpkg-query -W -f='${Status}' kelvane 2>/dev/null | grep -q 'install ok installed'; then
    echo "FAIL: a kelvane package is installed already; this test installs and removes its own," >&2
    echo "      so remove that one first: apt-get remove kelvane" >&2
    exit 1
fi
arch=$(dpkg --print-architecture)
deb=$out/kelvane_${version}_${arch}.deb
changes=$out/kelvane_${version}_${arch}.changes

echo "== Building kelvane $version as a Debian package in $out"
# The package is built from a copy, so the tree gets no build files and the
# results do not land in the folder above it. A git checkout copies what git
# would commit, the uncommitted changes included.
rm -rf "$out"
src=$out/kelvane-$version
mkdir -p "$src"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z --cached --others --exclude-standard \
        | while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done \
        | tar --null -T - -cf - | tar -C "$src" -xf -
else
    tar --exclude=./build --exclude='./build-*' -cf - . | tar -C "$src" -xf -
fi
build_started=$SECONDS
# Without debugging information (and so without a -dbgsym package) the check
# build compiles about a quarter faster; KELVANE_PACKAGE_DEBUG=1 keeps it.
cxxflags_append=${DEB_CXXFLAGS_APPEND:-}
build_options="parallel=$(nproc) ${DEB_BUILD_OPTIONS:-}"
if [ -z "${KELVANE_PACKAGE_DEBUG:-}" ]; then
    cxxflags_append="$cxxflags_append -g0"
    build_options="$build_options noddebs"
fi
(cd "$src" && DEB_BUILD_OPTIONS="$build_options" \
    DEB_CXXFLAGS_APPEND="$cxxflags_append" dpkg-buildpackage -us -uc -b) >"$out/build.log" 2>&1 || {
    tail -n 60 "$out/build.log" >&2
    echo "FAIL: dpkg-buildpackage failed; the whole log is $out/build.log" >&2
    exit 1
}
echo "built $(basename "$deb") in $((SECONDS - build_started)) s (log: $out/build.log)"
[ -f "$deb" ] || { echo "FAIL: $deb was not made" >&2; exit 1; }

echo "== lintian"
lintian --fail-on error,warning "$changes" "$deb"
echo "lintian: no errors, no warnings"

# In a Wayland session the window is native only with Qt's Wayland plugin.
recommends=$(dpkg-deb -f "$deb" Recommends)
case ", $recommends," in
*", qt6-wayland,"*) ;;
*) echo "FAIL: $(basename "$deb") recommends '$recommends', not qt6-wayland" >&2; exit 1 ;;
esac

echo "== Installing $(basename "$deb") with apt-get"
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
remove() {
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq kelvane >/dev/null
}
trap 'remove || true' EXIT
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" >/dev/null

[ "$(command -v kelvane)" = /usr/bin/kelvane ] || fail "kelvane on the PATH is '$(command -v kelvane)', not /usr/bin/kelvane"
# --version needs no display.
printed=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb kelvane --version) || fail "kelvane --version failed"
[ "$printed" = "Kelvane $version" ] || fail "kelvane --version prints '$printed', not 'Kelvane $version'"
if readelf -d /usr/bin/kelvane | grep -Eq 'RPATH|RUNPATH'; then
    fail "/usr/bin/kelvane keeps a RUNPATH"
fi

appid=org.kelvane.Kelvane
entry=/usr/share/applications/$appid.desktop
metainfo=/usr/share/metainfo/$appid.metainfo.xml
man=/usr/share/man/man1/kelvane.1.gz
for file in "$entry" "$metainfo" "$man" /usr/share/doc/kelvane/copyright \
    /usr/share/icons/hicolor/scalable/apps/$appid.svg \
    /usr/share/icons/hicolor/48x48/apps/$appid.png \
    /usr/share/icons/hicolor/256x256/apps/$appid.png; do
    [ -f "$file" ] || fail "the package installed no $file"
done
if [ -f "$entry" ]; then
    desktop-file-validate "$entry" || fail "$entry does not validate"
    grep -qx 'Exec=kelvane %f' "$entry" || fail "$entry does not run kelvane with a folder"
fi
if [ -f "$metainfo" ]; then
    appstreamcli validate --no-net "$metainfo" >/dev/null || fail "$metainfo does not validate"
    grep -q "<release version=\"$version\"" "$metainfo" || fail "$metainfo has no release $version"
fi
if [ -f "$man" ]; then
    [ "$(man -w kelvane)" = "$man" ] || fail "man finds '$(man -w kelvane)', not $man"
    warnings=$(man --warnings -l "$man" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man warns about $man: $warnings"
    MANWIDTH=80 man -l "$man" 2>/dev/null | grep -q "Kelvane $version" || fail "$man does not name version $version"
fi

echo "== Removing the package"
trap - EXIT
remove
[ ! -e /usr/bin/kelvane ] || fail "/usr/bin/kelvane is left after removing the package"
[ ! -e "$entry" ] || fail "$entry is left after removing the package"

if [ "$failures" -ne 0 ]; then
    echo "$failures problem(s) with the package" >&2
    exit 1
fi
echo "package $(basename "$deb") builds, passes lintian, installs, runs and removes cleanly ($((SECONDS - started)) s)"
