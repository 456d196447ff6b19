#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Compiles the Windows installer's script with an empty file list and
# warnings as errors: a language without its texts, or one whose name NSIS
# does not know, fails here instead of late in the Windows build.
# Usage: installer-script-test.sh MAKENSIS SCRIPT ICON
set -eu

if [ $# -ne 3 ]; then
    echo "usage: $0 MAKENSIS SCRIPT ICON" >&2
    exit 2
fi
dir=$(mktemp -d "${TMPDIR:-/tmp}/kelvane-nsis.XXXXXX")
trap 'rm -rf "$dir"' EXIT
: > "$dir/deploy.files.nsh"
: > "$dir/deploy.uninstall.nsh"
"$1" -V2 -WX -DVERSION=0.0.0 -DDEPLOY="$dir/deploy" -DICON="$3" \
    -DOUTFILE="$dir/kelvane-0.0.0-setup.exe" "$2"
