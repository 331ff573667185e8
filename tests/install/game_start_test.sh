#!/usr/bin/env bash
# The installed game starts headless from its launcher, finds its data through the player's folder,
# writes its log there, and ends cleanly when the system asks it to (as at logout).
# Environment: PREFIX, BINDIR, DATADIR.
set -euo pipefail
work=$(mktemp -d)
pid=
cleanup() {
    [[ -n "$pid" ]] && kill -KILL "$pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

export HOME=$work/home XDG_DATA_HOME=$work/xdg
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
# The video and audio drivers leave allocations behind that the leak checker cannot be told to ignore.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
mkdir -p "$HOME"
folder=$XDG_DATA_HOME/korvex

mkdir "$work/caller"  # where the command is typed: a relative journal name is taken from there
(cd "$work/caller" && exec "$PREFIX/$BINDIR/korvex" --window --record run.kvj) >"$work/output" 2>&1 &
pid=$!
# The log is opened once every picture and mesh has loaded.
for _ in $(seq 1 450); do
    [[ -s "$folder/Log.txt" ]] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if [[ ! -s "$folder/Log.txt" ]]; then
    echo "FAIL: no Log.txt in the player's folder" >&2
    cat "$work/output" >&2
    exit 1
fi
kill -0 "$pid" 2>/dev/null || { echo "FAIL: the game ended by itself" >&2; cat "$work/output" >&2; exit 1; }
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
pid=
if ((status != 0)); then
    echo "FAIL: the game ended with status $status after SIGTERM" >&2
    cat "$work/output" >&2
    exit 1
fi
# The first line of the log is the start-up heading, written in code page 932 (a full-width '>').
[[ "$(head -c2 "$folder/Log.txt" | od -An -tx1 | tr -d ' \n')" == 8184 ]] || {
    echo "FAIL: the log does not start with the start-up heading" >&2
    exit 1
}
[[ "$(head -c4 "$work/caller/run.kvj")" == KVXJ ]] || { echo "FAIL: no journal where typed" >&2; exit 1; }
[[ ! -e "$PREFIX/$DATADIR/Log.txt" ]] || { echo "FAIL: the game wrote into the installation" >&2; exit 1; }
echo "game: started from the launcher, logged in $folder, ended on SIGTERM"
