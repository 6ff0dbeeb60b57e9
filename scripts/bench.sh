#!/usr/bin/env bash
# Builds the benchmarks optimised and runs them: the core, whole CLI runs and
# the window (headless and Qt offscreen). Arguments go to each benchmark program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset bench >/dev/null
cmake --build --preset bench --target scrivlet_bench scrivlet_cli_bench scrivlet_window_bench
for b in scrivlet_bench scrivlet_cli_bench scrivlet_window_bench; do
  ./build/bench/bench/$b "$@"
done
