#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The man page names every exit status the program uses (1: no display) and
# every key of the README's "Without a mouse". Usage: man-page-test.sh MANPAGE README
section() { awk -v heading=".SH $1" '/^\.SH / { inside = ($0 == heading); next } inside' "$2"; }
missing=$(for status in 0 1 2; do section "EXIT STATUS" "$1" | grep -qx "\.B $status" || echo "status $status"; done
    section "EXIT STATUS" "$1" | grep -A1 -x '\.B 1' | grep -q display || echo "status 1 as no display"
    awk '/^### Without a mouse/ { inside = 1; next } /^#/ { inside = 0 } inside' "$2" | grep -o '\*\*[^*]*\*\*' \
        | tr -d '*' | sort -u | while read -r key; do section KEYBOARD "$1" | grep -qF "$key" || echo "key $key"; done)
[ -z "$missing" ] || { echo "FAIL: the man page lacks:" $missing >&2; exit 1; }
