#!/usr/bin/env bash
# Installs what is missing, builds the game, generates its data into build/data, and starts it there.
# Arguments are passed to the game (for example --window).
set -euo pipefail
# The game runs in its data folder; file names given to --record and --replay are the caller's.
export KORVEX_CALLER_DIR=$PWD
cd "$(dirname "${BASH_SOURCE[0]}")"
./scripts/install-packages.sh packages.txt
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVEX_TESTS=OFF -DKORVEX_BENCHMARKS=OFF >/dev/null
cmake --build build
cd build/data
exec ../korvex "$@"
