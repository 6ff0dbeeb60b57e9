#!/usr/bin/env bash
# Builds the two libFuzzer targets with clang (address and undefined-behaviour
# sanitizers) and runs each for the given number of seconds (default 300).
#   bash scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-300}"
if ! command -v clang++ >/dev/null; then
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq clang
fi
out=build/fuzz
mkdir -p "$out/corpus-codec" "$out/corpus-image"
flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I.)
core=(rom/TempFile.cpp rom/RomFile.cpp rom/RomIdentity.cpp text/CompressionDictionary.cpp text/TextDecoder.cpp
      text/TextEncoder.cpp catalogue/TextCatalogue.cpp catalogue/TptRecord.cpp catalogue/TextSearch.cpp)
clang++ "${flags[@]}" fuzz/CodecFuzzer.cpp "${core[@]}" -o "$out/codec-fuzzer"
clang++ "${flags[@]}" fuzz/ImageFuzzer.cpp "${core[@]}" -o "$out/image-fuzzer"
"$out/codec-fuzzer" -max_total_time="$seconds" -max_len=8192 "$out/corpus-codec" 2>&1 | tail -5
"$out/image-fuzzer" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=4096 "$out/corpus-image" 2>&1 | tail -5
