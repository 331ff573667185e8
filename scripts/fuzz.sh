#!/usr/bin/env bash
# Builds the file readers' fuzz targets with clang in build-fuzz and runs each for SECONDS.
#
#   scripts/fuzz.sh SECONDS [TARGET...]      targets: midi_file wave_file png x_mesh key_config high_score journal settings
#
# Each target starts from its checked-in seeds (fuzz/corpus/<target>) plus the generated game data of an
# existing build-test/data or build/data, gathered in build-fuzz/corpus/<target>, which keeps what the runs
# add. A crash leaves its input in build-fuzz/crashes/<target>/ and the run's log in build-fuzz/logs/; the
# script then exits non-zero. Where clang cannot build fuzz targets at all it exits 77, having built nothing.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

all=(midi_file wave_file png x_mesh key_config high_score journal settings)
if [[ $# -lt 1 || ! "$1" =~ ^[0-9]+$ || "$1" -lt 1 ]]; then
  echo "usage: $0 SECONDS [TARGET...]  (targets: ${all[*]})" >&2
  exit 2
fi
seconds=$1
shift
targets=("$@")
[[ ${#targets[@]} -eq 0 ]] && targets=("${all[@]}")
for t in "${targets[@]}"; do
  [[ " ${all[*]} " == *" $t "* ]] || { echo "unknown target: $t (targets: ${all[*]})" >&2; exit 2; }
done

# libFuzzer and the sanitizers for clang come in a package of their own, which not every Debian release
# has: without them no target can be built, and status 77 says so apart from a crash.
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
if ! printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' |
  clang++ -fsanitize=fuzzer,address,undefined -x c++ - -o "$probe/probe" >/dev/null 2>&1; then
  echo "$0: clang cannot build fuzz targets here: install clang and libclang-rt-dev" >&2
  exit 77
fi

if command -v ccache >/dev/null; then
  export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
fi
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DKORVEX_FUZZ=ON -DKORVEX_TESTS=OFF -DKORVEX_BENCHMARKS=OFF -DKORVEX_WERROR=ON >/dev/null
cmake --build build-fuzz --target "${targets[@]/%/_fuzz}"

data=""
for d in build-test/data build/data; do
  [[ -d "$d" ]] && { data=$d; break; }
done

# Generated files of a target's kind, up to a size that keeps the runs quick (the largest pictures and
# meshes would slow every execution without reaching more of the reader).
generated() {
  local target=$1
  [[ -n "$data" ]] || return 0
  case "$target" in
    midi_file) find "$data/m" -maxdepth 1 -name '*.mid' -size -64k ;;
    wave_file) find "$data/w" -maxdepth 1 -name '*.wav' -size -64k ;;
    png) find "$data/t" -maxdepth 1 -name '*.png' -size -32k ;;
    x_mesh) find "$data/x" -maxdepth 1 -name '*.x' -size -16k ;;
    key_config) find "$data" -maxdepth 1 -name 'KeyConfig.txt' ;;
    high_score) find "$data" -maxdepth 1 -name 'score.txt' ;;
    journal) find "$root/tests/replay" -maxdepth 1 -name '*.kvj' ;;
  esac 2>/dev/null || true
}

export ASAN_OPTIONS="${ASAN_OPTIONS:-}${ASAN_OPTIONS:+:}detect_leaks=1"
export LSAN_OPTIONS="suppressions=$root/fuzz/lsan_suppressions.txt"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

mkdir -p build-fuzz/logs
total=0
failed=()
for t in "${targets[@]}"; do
  corpus=build-fuzz/corpus/$t
  crashes=build-fuzz/crashes/$t
  log=build-fuzz/logs/$t.log
  mkdir -p "$corpus" "$crashes"
  cp fuzz/corpus/"$t"/* "$corpus"/
  while IFS= read -r f; do
    cp "$f" "$corpus/generated-$(basename "$f" | tr ' ' '_')"
  done < <(generated "$t")

  rc=0
  build-fuzz/fuzz/"$t"_fuzz -max_total_time="$seconds" -print_final_stats=1 -timeout=30 \
    -artifact_prefix="$crashes/" "$corpus" >"$log" 2>&1 || rc=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  runs=${runs:-0}
  total=$((total + runs))
  if [[ $rc -eq 0 ]]; then
    printf '%-12s %12d runs\n' "$t" "$runs"
  else
    failed+=("$t")
    printf '%-12s %12d runs  FAILED (exit %d): log %s, input in %s\n' "$t" "$runs" "$rc" "$log" "$crashes/"
    grep -E '^(==[0-9]+==ERROR|SUMMARY|.*deadly signal)' "$log" | head -n 5 || true
  fi
done
printf '%-12s %12d runs\n' total "$total"
if [[ ${#failed[@]} -gt 0 ]]; then
  echo "crashed: ${failed[*]}" >&2
  exit 1
fi
