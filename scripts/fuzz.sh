#!/usr/bin/env bash
# Builds every libFuzzer target with clang (address and undefined-behaviour
# sanitizers over the core libraries, the fuzz preset), runs the core tests
# built the same way, and runs each target for the
# given number of seconds (default 300). A crash, a leak or a sanitizer report
# ends the run with a failure; the crashing input is kept in build/fuzz.
#   bash scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-300}"
shift || true
packages=(clang libclang-rt-14-dev cmake make)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
# The core's own tests under the same sanitizers: undefined behaviour fails them.
./build/fuzz/tests/core_tests --gtest_brief=1
targets=("$@")
[ "${#targets[@]}" -gt 0 ] || targets=(codec image patch_apply patch_make import layout text compression table font_sheet)
# Seeds of real size, from the sample image: the runs start from whole blocks and images.
./build/fuzz/fuzz/fuzz_seeds build/fuzz/seeds >/dev/null
for name in "${targets[@]}"; do
  case "$name" in
    image|patch_apply|patch_make|font_sheet) max_len=65536 ;;
    *) max_len=8192 ;;
  esac
  corpus="build/fuzz/corpus-$name"
  mkdir -p "$corpus"
  if [ -d "build/fuzz/seeds/$name" ] && [ -z "$(ls -A "$corpus")" ]; then
    cp build/fuzz/seeds/"$name"/* "$corpus"/
  fi
  log="build/fuzz/$name.log"
  # A patch claims what it likes; what it makes us allocate must stay small.
  if ! (cd build/fuzz && "./fuzz/${name}_fuzzer" -max_total_time="$seconds" -max_len="$max_len" \
        -malloc_limit_mb=256 -rss_limit_mb=2048 -print_final_stats=1 "corpus-$name") >"$log" 2>&1; then
    tail -40 "$log"
    echo "The $name fuzzer found a fault (input kept in build/fuzz)." >&2
    exit 1
  fi
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
  speed=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$log" | grep -o '[0-9]*$')
  edges=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*')
  echo "$name: $runs runs in ${seconds} s ($speed/s), $edges edges covered, no fault"
done
