#!/usr/bin/env bash
# Replays a recorded journal headless and compares its closing line with the one expected, as many
# times as asked and then once more drawing every frame: the same journal must end on the same line
# every time, and drawing must change nothing the game decides. Every run after the first runs on a wall
# clock moved years away (libfaketime), so that a replay taking anything from the wall clock, a random
# seed above all, ends elsewhere.
# Arguments: the game, its data folder, the journal, the expected line's file, the number of runs
# without drawing.
set -euo pipefail
game=$1 data=$2 journal=$3 expected_file=$4 runs=${5:-1}
expected=$(<"$expected_file")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The game reads its data from the working folder and writes score.txt and Log.txt there: a folder of
# its own, with the read-only folders linked and the files it may write copied.
for linked in t x m w; do ln -s "$data/$linked" "$work/$linked"; done
cp "$data/KeyConfig.txt" "$work/"
printf '0' >"$work/score.txt"  # below the journal's score, which is not the player's to save
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

for ((run = 1; run <= runs + 1; run++)); do
    status=0
    clock=()
    drawing=()
    # The last run draws (a fast replay draws only when asked for its pictures' fingerprints).
    ((run > runs)) && drawing=(--frame-hashes "$work/pictures")
    if ((run > 1)); then
        command -v faketime >/dev/null || { echo "FAIL: faketime (Debian package faketime) is missing" >&2; exit 1; }
        # The monotonic clock is left alone: only the wall clock moves. The sanitizer's runtime must let
        # libfaketime be loaded before it.
        clock=(env FAKETIME_DONT_FAKE_MONOTONIC=1 "ASAN_OPTIONS=$ASAN_OPTIONS:verify_asan_link_order=0"
               faketime -f "@$((2000 + 7 * run))-0$run-1$run 0$run:1$run:2$run")
    fi
    (cd "$work" && "${clock[@]}" "$game" --window --replay "$journal" --fast "${drawing[@]}") >"$work/out" 2>"$work/err" || status=$?
    if ((status != 0)); then
        echo "FAIL: run $run ended with status $status" >&2
        cat "$work/err" >&2
        exit 1
    fi
    if [[ $(wc -l <"$work/out") -ne 1 ]]; then
        echo "FAIL: run $run printed other than one line:" >&2
        cat "$work/out" >&2
        exit 1
    fi
    line=$(<"$work/out")
    echo "run $run${clock:+ (wall clock moved)}${drawing:+ (drawn)}: $line"
    if [[ "$line" != "$expected" ]]; then
        echo "FAIL: expected: $expected" >&2
        exit 1
    fi
    [[ "$(<"$work/score.txt")" == 0 ]] || { echo "FAIL: the replay wrote score.txt" >&2; exit 1; }
done
frames=$(sed -E 's/^replay: frames ([0-9]+).*/\1/' <<<"$expected")
[[ $(wc -l <"$work/pictures") -eq $frames ]] || { echo "FAIL: the drawn run fingerprinted other than $frames frames" >&2; exit 1; }
