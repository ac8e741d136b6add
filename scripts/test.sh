#!/usr/bin/env bash
# Sets up what is missing, builds Meandrolith and runs the whole test suite: once in a
# normal build with warnings as errors, once under AddressSanitizer and UBSan.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
bash "$top/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
jobs="$(nproc)"

echo "== format"
if ! (cd "$top" && git ls-files -- '*.cpp' '*.h' | xargs clang-format --dry-run --Werror); then
  echo "Sources are not formatted: run clang-format -i on the files above." >&2
  exit 1
fi

echo "== build and tests"
cmake -S "$top" -B "$top/build-test" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMEANDROLITH_WERROR=ON >/dev/null
cmake --build "$top/build-test" -j "$jobs"
(cd "$top/build-test" && ctest --output-on-failure -j "$jobs")

echo "== sanitizer build and tests"
cmake -S "$top" -B "$top/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DMEANDROLITH_SANITIZE=ON -DMEANDROLITH_BENCH=OFF >/dev/null
cmake --build "$top/build-asan" -j "$jobs"
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
(cd "$top/build-asan" && ctest --output-on-failure -j "$jobs")

echo "== fuzzing the file readers (libFuzzer, 30 s each)"
cmake -S "$top" -B "$top/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_COMPILER=clang++ -DMEANDROLITH_FUZZ=ON \
  -DBUILD_TESTING=OFF -DMEANDROLITH_BENCH=OFF >/dev/null
cmake --build "$top/build-fuzz" -j "$jobs" --target fuzz_tagged fuzz_version1
for reader in tagged version1; do
  corpus="$(mktemp -d)"
  cp "$top/fuzz/corpus/$reader/"* "$corpus/"
  "$top/build-fuzz/fuzz/fuzz_$reader" -max_total_time=30 -rss_limit_mb=2048 -print_final_stats=0 \
    "$corpus" 2>&1 | tail -n 3
  rm -rf "$corpus"
done

echo "== smoke run of the benchmarks"
"$top/build-test/bench/meandrolith_bench" --quick
