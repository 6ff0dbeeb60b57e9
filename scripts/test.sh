#!/usr/bin/env bash
# Builds everything and runs every test (core, CLI, window, Qt on the offscreen platform).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --workflow --preset test
