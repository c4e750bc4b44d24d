#!/usr/bin/env bash
# Builds the benchmarks optimised and runs them; pass Google Benchmark flags through.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
bash "$src/scripts/install-deps.sh"
cmake -S "$src" -B "$src/build-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DNUTRIMAP_TESTS=OFF
cmake --build "$src/build-bench"
for b in "$src"/build-bench/bench/bench_*; do
  [ -x "$b" ] && "$b" "$@"
done
