#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the program with the arguments a user or a file manager gives it.
# Usage: cli-test.sh PROGRAM VERSION
set -u

if [ $# -ne 2 ]; then
    echo "usage: $0 PROGRAM VERSION" >&2
    exit 2
fi
program=$(readlink -f "$1")
version=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/kelvane-cli.XXXXXX")
trap 'rm -rf "$work"' EXIT

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Without a display: the xcb platform with no DISPLAY aborts any window system.
nodisplay() {
    env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$program" "$@" >"$work/out" 2>"$work/err"
    status=$?
}

for option in --help -h; do
    nodisplay "$option"
    [ "$status" -eq 0 ] || fail "$option exits $status: $(cat "$work/err")"
    grep -q '^Usage: kelvane \[options\] \[FOLDER\]$' "$work/out" || fail "$option prints no usage: $(cat "$work/out")"
    grep -q -- '--version' "$work/out" || fail "$option does not list --version"
    ! grep -q -- 'platform' "$work/out" || fail "$option lists the toolkit's own options"
done

# In German the help is German where there are translations: Qt's own words.
LANGUAGE=de
export LANGUAGE
nodisplay --help
unset LANGUAGE
grep -q '^Aufruf: kelvane ' "$work/out" || fail "--help in German prints no German usage: $(head -n 1 "$work/out")"

nodisplay --version
[ "$status" -eq 0 ] || fail "--version exits $status"
[ "$(cat "$work/out")" = "Kelvane $version" ] || fail "--version prints '$(cat "$work/out")', not 'Kelvane $version'"

# Errors: one line naming the fault, then the usage, all on stderr.
check_error() { # expected first line, arguments...
    expected=$1; shift
    nodisplay "$@"
    [ "$status" -eq 2 ] || fail "$* exits $status, not 2"
    [ ! -s "$work/out" ] || fail "$* prints to stdout: $(cat "$work/out")"
    [ "$(head -n 1 "$work/err")" = "$expected" ] || fail "$* says '$(head -n 1 "$work/err")', not '$expected'"
    sed -n 2p "$work/err" | grep -q '^Usage: kelvane ' || fail "$* gives no usage after the error"
}
check_error "kelvane: Unknown option 'bogus'." --bogus
check_error "kelvane: Unknown option 'help-all'." --help-all
check_error "kelvane: Missing value after '-style'." -style
check_error "kelvane: Only one FOLDER can be opened." "$work" "$work"

# Starting the window without a display, or with one that cannot be reached
# (no server there, a socket left by a dropped forward): one line that says
# why, not a toolkit abort. Qt tries Wayland first when both are named.
mkdir -m 700 "$work/runtime" && : >"$work/runtime/stale"
n=99
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
none="no display: start it inside a desktop session (DISPLAY or WAYLAND_DISPLAY is not set)"
while IFS='|' read -r expected platform x11 wayland arguments; do
    env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_SESSION_TYPE XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM="$platform" \
        ${x11:+DISPLAY="$x11"} ${wayland:+WAYLAND_DISPLAY="$wayland"} "$program" $arguments >"$work/out" 2>"$work/err"
    status=$?
    [ "$status" -eq 1 ] && [ "$(cat "$work/err")" = "kelvane: $expected" ] || fail \
        "platform '$platform', DISPLAY '$x11', WAYLAND_DISPLAY '$wayland' $arguments: $status, '$(cat "$work/err")'"
done <<EOF
$none||||
$none|xcb|||
$none|wayland;xcb|||
cannot open display :$n||:$n||
cannot open display :$n|||| -display :$n
cannot open display stale|wayland||stale|
cannot open display $work/runtime/gone|||$work/runtime/gone|
cannot open display stale or :$n||:$n|stale|
cannot open display :$n|xcb|:$n|stale|
cannot open display stale|xcb|:$n|stale| -platform wayland
EOF

# A folder argument: the window opens it in place of the stored one and, when
# closed (here by SIGTERM), stores it. A missing one leaves the stored folder.
mkdir -p "$work/config" "$work/stored" "$work/My pictures"
run_window() { # expected stored folder, arguments...
    expected=$1; shift
    printf '[Defaults]\r\nFilesDir=%s/\r\n' "$work/stored" >"$work/config/Kelvane.INI"
    (cd "$work" && XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen exec "$program" "$@") \
        >"$work/out" 2>"$work/err" &
    pid=$!
    # The window is up once the program catches SIGTERM (bit 15 of SigCgt).
    tries=0
    while [ "$tries" -lt 300 ]; do
        mask=$(sed -n 's/^SigCgt:[[:space:]]*//p' "/proc/$pid/status" 2>/dev/null)
        [ -n "$mask" ] && [ $((0x$mask & 0x4000)) -ne 0 ] && break
        tries=$((tries + 1))
        sleep 0.1
    done
    kill -TERM "$pid" 2>/dev/null
    wait "$pid"
    status=$?
    [ "$status" -eq 0 ] || fail "kelvane $* ends with $status after SIGTERM: $(cat "$work/err")"
    grep -qF "FilesDir=$expected/" "$work/config/Kelvane.INI" \
        || fail "kelvane $* stored '$(grep FilesDir "$work/config/Kelvane.INI")', not $expected"
}
run_window "$work/My pictures" "$work/My pictures"
run_window "$work/My pictures" "My pictures"
run_window "$work/stored" "$work/missing"
# U+FFFD written in UTF-8 is a name like any other; a lone byte E9 is not
# UTF-8, and its decoded text would name the first folder.
replacement=$(printf 'caf\357\277\275')
mkdir -p "$work/$replacement"
run_window "$work/$replacement" "$work/$replacement"
run_window "$work/stored" "$work/$(printf 'caf\351')"

if [ "$failures" -ne 0 ]; then
    echo "$failures problem(s) with the command line" >&2
    exit 1
fi
echo "command line works"
