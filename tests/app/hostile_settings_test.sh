#!/usr/bin/env bash
# The game started with a settings file it cannot use: random bytes, numbers far out of range, an empty
# file, a folder in its place. Each time it starts as usual with the defaults (an empty journal is
# replayed headless, so the run ends at once) and says what it made of the file in "Log.txt".
# Arguments: the game binary, the generated data folder, an empty journal.
set -uo pipefail
game=$1 data=$2 journal=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
for d in t x m w; do ln -s "$data/$d" "$work/$d"; done
cp "$data/KeyConfig.txt" "$data/score.txt" "$work/"
failures=0

# start NAME LOG-PATTERN: the game starts and ends well, and its log says LOG-PATTERN.
start() {
    local name=$1 pattern=$2 status=0
    (cd "$work" && timeout 60 "$game" --replay "$journal" --fast) >"$work/out" 2>&1 || status=$?
    if ((status != 0)) || ! grep -q "^replay: frames 0 " "$work/out"; then
        echo "FAIL: $name: the game did not start and end as usual (status $status)" >&2
        cat "$work/out" >&2
        failures=$((failures + 1))
    elif ! grep -aq -- "$pattern" "$work/Log.txt"; then
        echo "FAIL: $name: Log.txt does not say \"$pattern\"" >&2
        failures=$((failures + 1))
    else
        echo "$name: started, \"$pattern\""
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
rmdir "$work/Settings.txt"
start "missing" "Settings.txt is not there yet"
exit $((failures > 0))
