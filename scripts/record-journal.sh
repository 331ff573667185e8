#!/usr/bin/env bash
# Records a journal the way a player makes one: the game in a window on the X display in $DISPLAY, keys
# pressed and held with xdotool (the game polls the key state). After GAME START it holds fire and, for
# SECONDS, steers left, right, up and down in random holds, with a dash or a bomb now and then, an F12
# screenshot every ten seconds (into the data folder), then Escape. The key choices come from SEED, so a
# run is the same pilot each time, though not the same frames (the real clock decides those).
# Run from anywhere, with a release build and Xvfb (Debian packages xvfb and xdotool):
#   Xvfb :97 -screen 0 1024x768x24 &
#   DISPLAY=:97 scripts/record-journal.sh build-rel 2 /tmp/stage2-boss.kvj 118 2
# Arguments: the build folder, the stage GAME START begins at, the journal, SECONDS, SEED.
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd) stage=${2:?stage} journal=${3:?journal} seconds=${4:-100} seed=${5:-1}
[[ $journal == /* ]] || journal=$PWD/$journal
: "${DISPLAY:?an X display}"
RANDOM=$seed

(cd "$build/data" && exec ../korvex --window --stage "$stage" --record "$journal") 2>"$journal.err" &
game=$!
window=
for ((i = 0; i < 100; i++)); do
    sleep 0.3
    window=$(xdotool search --name Korvex 2>/dev/null | head -1 || true)
    [[ -z $window ]] || break
done
[[ -n $window ]] || { echo "record-journal: no game window" >&2; kill "$game"; exit 1; }
sleep 4  # the title fades in
xdotool windowfocus --sync "$window"
tap() { xdotool keydown "$1"; sleep "${2:-0.3}"; xdotool keyup "$1"; }

tap z; sleep 3; tap z; sleep 1  # GAME START, then past the stage card
xdotool keydown z
keys=(Left Right Left Right Up Down "")
held= start=$SECONDS next_shot=$((SECONDS + 10))
while ((SECONDS - start < seconds)); do
    if [[ -n $held ]]; then xdotool keyup "$held"; fi
    held=${keys[RANDOM % ${#keys[@]}]}
    if [[ -n $held ]]; then xdotool keydown "$held"; fi
    if ((RANDOM % 100 < 6)); then tap x 0.2; fi
    if ((RANDOM % 100 < 4)); then tap c 0.2; fi
    if ((SECONDS >= next_shot)); then
        tap F12 0.1
        next_shot=$((next_shot + 10))
    fi
    sleep "0.$((3 + RANDOM % 7))"
done
if [[ -n $held ]]; then xdotool keyup "$held"; fi
xdotool keyup z
tap Escape 0.2
wait "$game"
grep '^record:' "$journal.err"
