#!/usr/bin/env bash
# Sets up what is missing, builds Meandrolith and starts it. Arguments go to the program
# (for instance --seed 42).
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
bash "$top/scripts/setup.sh"
cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
  -DMEANDROLITH_BENCH=OFF >/dev/null
cmake --build "$top/build" --target meandrolith
exec "$top/build/meandrolith" "$@"
