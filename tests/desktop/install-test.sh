#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a fresh prefix and checks that every file lands
# where desktops look for it.
# Usage: install-test.sh CMAKE BUILD_DIR BINDIR DATADIR MANDIR APP_ID
set -eu

if [ $# -ne 6 ]; then
    echo "usage: $0 CMAKE BUILD_DIR BINDIR DATADIR MANDIR APP_ID" >&2
    exit 2
fi
cmake=$1
build=$2
bindir=$3
datadir=$4
mandir=$5
appid=$6

for dir in "$bindir" "$datadir" "$mandir"; do
    case "$dir" in
        /*) echo "FAIL: install directories must be relative to the prefix: $dir" >&2; exit 1 ;;
    esac
done

prefix=$(mktemp -d "${TMPDIR:-/tmp}/kelvane-install.XXXXXX")
manifest="$build/install_manifest.txt"
# The install rewrites the build's manifest; keep a real install's one.
had_manifest=no
if [ -f "$manifest" ]; then
    cp -p "$manifest" "$prefix.manifest"
    had_manifest=yes
fi
cleanup() {
    rm -rf "$prefix"
    if [ "$had_manifest" = yes ]; then
        mv -f "$prefix.manifest" "$manifest"
    else
        rm -f "$manifest"
    fi
}
trap cleanup EXIT

# A DESTDIR from the caller's environment would send the files elsewhere.
unset DESTDIR
if ! "$cmake" --install "$build" --prefix "$prefix" --strip; then
    echo "FAIL: cmake --install --strip into $prefix failed" >&2
    exit 1
fi

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
need_file() {
    if [ -f "$prefix/$1" ]; then
        return 0
    fi
    fail "missing $1"
    return 1
}
# Width and height from a PNG's header, as "WxH".
png_size() {
    set -- $(od -An -tu1 -j16 -N8 "$1")
    [ $# -eq 8 ] || { echo "?"; return; }
    echo "$(( ($1 << 24) | ($2 << 16) | ($3 << 8) | $4 ))x$(( ($5 << 24) | ($6 << 16) | ($7 << 8) | $8 ))"
}

program="$bindir/kelvane"
if need_file "$program"; then
    [ -x "$prefix/$program" ] || fail "$program is not executable"
    # A RUNPATH would let the installed program load libraries from a folder
    # next to it instead of the system's.
    if command -v readelf >/dev/null && readelf -d "$prefix/$program" | grep -Eq 'RPATH|RUNPATH'; then
        fail "$program keeps a RUNPATH: $(readelf -d "$prefix/$program" | grep -E 'RPATH|RUNPATH')"
    fi
fi

entry="$datadir/applications/$appid.desktop"
if need_file "$entry"; then
    exec_line=$(sed -n 's/^Exec=//p' "$prefix/$entry")
    icon_line=$(sed -n 's/^Icon=//p' "$prefix/$entry")
    [ "$exec_line" = "kelvane %f" ] || fail "$entry runs '$exec_line', not the installed kelvane with a folder"
    [ "$icon_line" = "$appid" ] || fail "$entry names icon '$icon_line', not $appid"
    # A file manager offers "Open with Kelvane" for the pictures it reads:
    # GIO (libglib2.0-bin) lists the entry for their types once the
    # package's trigger has indexed it (desktop-file-utils) and the program
    # is on the PATH.
    update-desktop-database "$prefix/$datadir/applications"
    for type in image/jpeg image/png image/gif image/bmp; do
        PATH="$prefix/$bindir:$PATH" XDG_DATA_HOME="$prefix/$datadir" XDG_DATA_DIRS="$prefix/$datadir:/usr/share" \
            gio mime "$type" 2>&1 | grep -q "^[[:space:]]*$appid.desktop$" || fail "$entry is not offered for $type"
    done
fi

icons="$datadir/icons/hicolor"
need_file "$icons/scalable/apps/$appid.svg" || true
for size in 48x48 256x256; do
    icon="$icons/$size/apps/$appid.png"
    if need_file "$icon"; then
        actual=$(png_size "$prefix/$icon")
        [ "$actual" = "$size" ] || fail "$icon is $actual, not $size"
    fi
done

metainfo="$datadir/metainfo/$appid.metainfo.xml"
if need_file "$metainfo"; then
    grep -q "<launchable type=\"desktop-id\">$appid.desktop</launchable>" "$prefix/$metainfo" \
        || fail "$metainfo does not launch $appid.desktop"
fi

need_file "$mandir/man1/kelvane.1" || true

if [ "$failures" -ne 0 ]; then
    echo "$failures problem(s) in the installed files" >&2
    exit 1
fi
echo "install into a fresh prefix is complete"
