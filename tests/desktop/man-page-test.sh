#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The man page against the program and the README: every exit status the
# program uses, and every key of the README's "Without a mouse" section.
# Usage: man-page-test.sh MANPAGE README
set -u
page=$1
readme=$2
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
# The lines of one section, its heading left out.
section() {
    awk -v heading=".SH $1" '/^\.SH / { inside = ($0 == heading); next } inside' "$page"
}

# 0: closed, help or version; 1: no display; 2: a usage error.
for status in 0 1 2; do
    section "EXIT STATUS" | grep -qx "\.B $status" || fail "EXIT STATUS does not list $status"
done
section "EXIT STATUS" | grep -A1 -x '\.B 1' | grep -q 'display' || fail "EXIT STATUS does not say 1 is no display"

keys=$(awk '/^### Without a mouse/ { inside = 1; next } /^#/ { inside = 0 } inside' "$readme" \
    | grep -o '\*\*[^*]*\*\*' | tr -d '*' | sort -u)
[ -n "$keys" ] || fail "no keys found in the README's \"Without a mouse\" section"
missing=
while read -r key; do
    section KEYBOARD | grep -qF "$key" || missing="$missing \"$key\""
done <<KEYS
$keys
KEYS
[ -z "$missing" ] || fail "KEYBOARD does not name: $missing"

[ "$failures" -eq 0 ] || exit 1
echo "the man page lists every exit status and every key of the README"
