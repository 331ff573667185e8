#!/usr/bin/env bash
# A journal that cannot be read or is not valid ends the game at once with a message and a failure
# status, before any window is opened.
# Arguments: the game, a valid journal to damage.
set -euo pipefail
game=$1 journal=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

expect_refused() {  # file, words the message must hold
    local status=0
    (cd "$work" && "$game" --window --replay "$1" --fast) >"$work/out" 2>"$work/err" || status=$?
    if ((status == 0)); then
        echo "FAIL: $1 was replayed" >&2
        exit 1
    fi
    if ! grep -q -- "$2" "$work/err"; then
        echo "FAIL: for $1 the message lacks '$2':" >&2
        cat "$work/err" >&2
        exit 1
    fi
    [[ ! -s "$work/out" ]] || { echo "FAIL: a closing line for $1" >&2; exit 1; }
    echo "refused $(basename "$1"): $(<"$work/err")"
}

expect_refused "$work/missing.kvj" "cannot be read"
printf 'not a journal at all, just text' >"$work/text.kvj"
expect_refused "$work/text.kvj" "bad magic"
size=$(stat -c %s "$journal")
head -c $((size - 1)) "$journal" >"$work/short.kvj"
expect_refused "$work/short.kvj" "cut short"
# Version 4 is no version this game knows.
{ head -c 4 "$journal"; printf '\x04'; tail -c +6 "$journal"; } >"$work/version.kvj"
expect_refused "$work/version.kvj" "version"
expect_refused "$work" "cannot be read"
# A byte more than the header, the frame cap of the largest frames (every key down) and a quit before
# every frame, sparse: refused unread (the streamed form's largest is smaller).
truncate -s $((24 + (1 << 22) * (5 + 0xED) + 4 + 4 * (1 << 22) + 1)) "$work/huge.kvj"
expect_refused "$work/huge.kvj" "larger than any journal"
