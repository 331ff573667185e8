#!/usr/bin/env bash
# Launches the game N times (default 3) on the display in $DISPLAY, prints the start-up breakdown of each
# launch (KORVEX_STARTUP_TIMES=1) and ends the game two seconds later. Run from anywhere:
#   DISPLAY=:57 scripts/startup-times.sh build-rel 3
# The first launch after clearing ~/.cache/mesa_shader_cache is the cold one (COLD=1 clears it).
set -euo pipefail
build=${1:-build-rel}
runs=${2:-3}
cd "$(dirname "${BASH_SOURCE[0]}")/../$build/data"
for ((i = 1; i <= runs; ++i)); do
  if [[ ${COLD:-0} == 1 ]]; then rm -rf "${MESA_SHADER_CACHE_DIR:-$HOME/.cache/mesa_shader_cache}"; fi
  KORVEX_STARTUP_TIMES=1 SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} ../korvex --window 2>&1 &
  pid=$!
  sleep 6
  kill -TERM "$pid"
  wait "$pid" || true
done
