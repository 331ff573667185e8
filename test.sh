#!/usr/bin/env bash
# Installs what is missing, builds the sanitizer build, runs every test headless, then briefly fuzzes the
# file readers.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
./scripts/install-packages.sh packages.txt packages-test.txt
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVEX_SANITIZE=ON -DKORVEX_WERROR=ON \
  -DKORVEX_BENCHMARKS=ON >/dev/null
cmake --build build-test
export SDL_VIDEODRIVER=offscreen
export SDL_AUDIODRIVER=dummy
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
(cd build-test && ctest --output-on-failure -j2 "$@")
# A few seconds of every file reader's fuzz target, so that a reader which no longer builds with clang or
# crashes on its own seeds fails here; scripts/fuzz.sh runs them for longer. Where this Debian release
# has no fuzzing runtime for clang (status 77), the fuzzing is left out, and said so.
status=0
./scripts/fuzz.sh 4 || status=$?
if ((status == 77)); then
  echo "test.sh: the fuzz smoke is skipped: clang cannot build fuzz targets on this system"
elif ((status != 0)); then
  exit "$status"
fi
