#!/usr/bin/env bash
# Runs the benchmarks of the default build. Figures go into the README by hand.
set -euo pipefail
cd "$(dirname "$0")/.."
for b in build/default/bench/*_bench; do
  [ -x "$b" ] && "$b" --benchmark_min_time=0.2
done
