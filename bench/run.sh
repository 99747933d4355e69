#!/usr/bin/env bash
# make bench: every benchmark, each figure of this build beside the same figure of a baseline
# build, measured in the same run. The figures in CONTRIBUTING.md come from this output.
#
#   bench/run.sh            the baseline is BASELINE (a tag or commit): by default the newest
#                           release tag, or while there is none the last commit that still
#                           polled the keypad; it is built in build/bench-baseline/
#   bench/run.sh --smoke    every script for a moment, so that none can rot (make test runs
#                           this); the quick ones with this build as its own baseline, the
#                           program's two on their own, since each of their runs waits seconds
set -euo pipefail
cd "$(dirname "$0")/.."
this=build/default
windows=build/mingw
for needed in "$this/brontek-tarnlow" "$this/bench/main_window_bench" \
    "$windows/brontek-tarnlow.exe"; do
  [ -x "$needed" ] || { echo "bench: $needed is not built (make bench builds it)" >&2; exit 1; }
done

if [ "${1:-}" = "--smoke" ]; then
  base=$this
  core=(--smoke) x11=(--idle-seconds 1 --settle 4 --presses 2 --xbindkeys)
  wine=(--idle-seconds 1 --settle 3 --presses 1)
  hostile=(--scenarios garbage,feed_one_line)
else
  baseline="${BASELINE:-$(git describe --tags --abbrev=0 --match 'v*' 2>/dev/null || echo c388a55)}"
  dir=build/bench-baseline
  echo "== baseline: $baseline ($(git log -1 --format='%h %cs %s' "$baseline"))"
  rm -rf "$dir/src" && mkdir -p "$dir/src"
  git archive "$baseline" | tar -x -C "$dir/src"
  cmake -S "$dir/src" -B "$dir/linux" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBRONTEK_TESTS=OFF >/dev/null
  cmake --build "$dir/linux"
  cmake -S "$dir/src" -B "$dir/windows" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRONTEK_TESTS=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/$dir/src/cmake/toolchain-mingw64.cmake" >/dev/null
  cmake --build "$dir/windows" --target brontek-tarnlow
  base=$dir/linux
  core=() x11=(--xbindkeys --baseline "$base/brontek-tarnlow") hostile=()
  wine=(--baseline "$dir/windows/brontek-tarnlow.exe")
fi

echo "== the core on the fake platform ($(nproc) cores, $(date +%F))"
bench/compare_core.py "$this" "$base" "${core[@]}"
echo "== the Linux program on Xvfb"
bench/x11_bench.py --bin "$this/brontek-tarnlow" "${x11[@]}"
echo "== the Windows program under Wine"
WINEPREFIX="${WINEPREFIX:-$PWD/$windows/wineprefix}" WINEDEBUG=-all \
  bench/wine_bench.py --exe "$windows/brontek-tarnlow.exe" "${wine[@]}"
echo "== broken servers"
bench/hostile_bench.py --bin "$this/brontek-tarnlow" --baseline "$base/brontek-tarnlow" \
  "${hostile[@]}"
