#!/usr/bin/env bash
# A recording killed outright (SIGKILL: no shut-down runs, nothing is written at the end) leaves a journal
# that replays to the last frame it reached, says that it was cut, and ends with status 0.
# Arguments: the game, its data folder.
set -euo pipefail
game=$1 data=$2
work=$(mktemp -d)
pid=
trap '[[ -n $pid ]] && kill -9 "$pid" 2>/dev/null; rm -rf "$work"' EXIT
for linked in t x m w; do ln -s "$data/$linked" "$work/$linked"; done
cp "$data/KeyConfig.txt" "$work/"
printf '0' >"$work/score.txt"
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

# Nobody presses a key: every frame is a tag, a tick and a count of no keys, after the 24-byte header.
header=24 frame=6
(cd "$work" && exec "$game" --window --record run.kvj) >"$work/record.out" 2>"$work/record.err" &
pid=$!
size=0
for ((i = 0; i < 1800 && size < header + 90 * frame; i++)); do
    sleep 0.1
    size=$(stat -c %s "$work/run.kvj" 2>/dev/null || echo 0)
    kill -0 "$pid" 2>/dev/null || { echo "FAIL: the recording ended by itself" >&2; cat "$work/record.err" >&2; exit 1; }
done
((size >= header + 90 * frame)) || { echo "FAIL: no 90 frames on disk after 3 minutes" >&2; exit 1; }
kill -9 "$pid"
wait "$pid" 2>/dev/null || true
pid=
size=$(stat -c %s "$work/run.kvj")
((((size - header) % frame) == 0)) || { echo "FAIL: a frame was left half written ($size bytes)" >&2; exit 1; }
frames=$(((size - header) / frame))
echo "killed after $frames frames"

status=0
(cd "$work" && "$game" --window --replay run.kvj --fast) >"$work/out" 2>"$work/err" || status=$?
line=$(<"$work/out")
echo "$line"
if ((status != 0)) || [[ "$line" != "replay: frames $frames "*" (journal ends early at frame $frames)" ]]; then
    echo "FAIL: the journal should replay to frame $frames, say that it was cut, and end with status 0" >&2
    cat "$work/err" >&2
    exit 1
fi
