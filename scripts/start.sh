#!/usr/bin/env bash
# Installs what is missing, builds Nutrimap and starts it in the directory this is called from,
# which is where the program keeps its table files and timesheet.INI.
set -euo pipefail
here=$PWD
src=$(cd "$(dirname "$0")/.." && pwd)
bash "$src/scripts/install-deps.sh"
cmake -S "$src" -B "$src/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DNUTRIMAP_TESTS=OFF -DNUTRIMAP_BENCH=OFF
cmake --build "$src/build" --target nutrimap
cd "$here"
exec "$src/build/shell/nutrimap"
