#!/usr/bin/env bash
# A settings file the game cannot use: it starts with the defaults and says so in "Log.txt" (an empty
# journal replayed headless ends each start at once).
# Arguments: the game binary, the generated data folder, an empty journal.
set -uo pipefail
game=$1 data=$2 journal=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
for d in t x m w; do ln -s "$data/$d" "$work/$d"; done
cp "$data/KeyConfig.txt" "$data/score.txt" "$work/"
failures=0
start() {  # NAME LOG-LINE
    if ! (cd "$work" && timeout 60 "$game" --replay "$journal" --fast | grep -q "^replay: frames 0 ") ||
        ! grep -aq -- "$2" "$work/Log.txt"; then
        echo "FAIL: $1: no start with the log saying \"$2\"" >&2
        failures=$((failures + 1))
    fi
}
head -c 4096 /dev/urandom | tr '\n' 'x' >"$work/Settings.txt"
start "random bytes" "Settings.txt: 1 line not understood, from line 1"
printf 'music 99999999999999999999\neffects 4294967297\nwindow 2147483647 2147483647\n' >"$work/Settings.txt"
start "huge values" "Settings.txt: 3 lines not understood"
: >"$work/Settings.txt"
start "empty" "Settings.txt is empty"
rm "$work/Settings.txt" && mkdir "$work/Settings.txt"
start "a folder" "Settings.txt cannot be read"
exit $((failures > 0))
