#!/usr/bin/env bash
# Builds the benchmarks optimised and runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset bench >/dev/null
cmake --build --preset bench --target scrivlet_bench
./build/bench/bench/scrivlet_bench "$@"
