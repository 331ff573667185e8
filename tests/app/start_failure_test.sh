#!/usr/bin/env bash
# The game started where it cannot run: each failure is told on standard error and ends the program
# with a non-zero status, in a few seconds and without anyone at the screen.
# Argument: the game binary.
set -uo pipefail
game=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The video and audio drivers leave allocations behind that the leak checker cannot be told to ignore.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
export HOME=$work/home XDG_DATA_HOME=$work/xdg SDL_AUDIODRIVER=dummy
mkdir -p "$HOME"
failures=0

# expect NAME PATTERN COMMAND...: the command fails within 60 s and its standard error matches.
expect() {
    local name=$1 pattern=$2
    shift 2
    local status=0
    (cd "$work" && timeout 60 "$@") >"$work/out" 2>"$work/err" || status=$?
    if ((status == 0)); then
        echo "FAIL: $name: the game ended with status 0" >&2
        failures=$((failures + 1))
    elif ((status == 124)); then
        echo "FAIL: $name: the game was still running after 60 s" >&2
        failures=$((failures + 1))
    elif ! grep -q -- "$pattern" "$work/err"; then
        echo "FAIL: $name: standard error does not say \"$pattern\"" >&2
        cat "$work/err" >&2
        failures=$((failures + 1))
    else
        echo "$name: status $status, \"$pattern\""
    fi
}

# No display: an X11 driver with no server to talk to, no Wayland either.
expect "no display" "korvex: no video driver could be started" \
    env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=x11 "$game" --window
# A driver that does not exist at all.
expect "no such driver" "korvex: no video driver could be started" \
    env SDL_VIDEODRIVER=no-such-driver "$game" --window
# Started in an empty folder: the key configuration and every picture are missing.
expect "no game data" "読み込めません" env SDL_VIDEODRIVER=offscreen "$game" --window

# Answered before any driver is touched: help and version with status 0, a mistake in one line and 2.
answer() {
    local want=$1 pattern=$2 status=0
    shift 2
    (cd "$work" && SDL_VIDEODRIVER=no-such-driver timeout 60 "$game" "$@") >"$work/out" 2>"$work/err" || status=$?
    ((status == want)) && [[ $(wc -l <"$work/err") == $((want / 2)) ]] && grep -q -- "$pattern" "$work"/{out,err} ||
        { echo "FAIL: korvex $*: status $status: $(cat "$work/err")" >&2; failures=$((failures + 1)); }
}
answer 0 "--replay FILE" --help
answer 0 "^korvex [0-9]" --version
answer 2 "--record needs a file name" --record --window
answer 2 "--stage takes 1, 2 or 3, not 4" --stage 4
exit $((failures > 0))
