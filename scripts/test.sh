#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs every test. Window tests run on Qt's offscreen platform, so no display is needed.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
bash "$src/scripts/install-deps.sh" --test
cmake -S "$src" -B "$src/build-test" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNUTRIMAP_SANITIZE=ON
cmake --build "$src/build-test"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$src/build-test" --output-on-failure -j2 --timeout 900
