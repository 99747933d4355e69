#!/usr/bin/env bash
# Runs every fuzz target for SECONDS each (default 300), with ASan, UBSan and leak checks, a
# timeout that counts a slow input as a hang, and the seed corpora from fuzz/corpus. A finding is
# kept in build/fuzz/artifacts/ and fails the run. Then the property test of the program's input
# handling, for as long, with a new seed each round; a failure prints the shortest sequence of a
# player's actions that shows it, and the seed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-300}"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
mkdir -p build/fuzz/artifacts
status=0
for target in bind_text keys_file feed status; do
  corpus="build/fuzz/corpus/$target"
  mkdir -p "$corpus"
  echo "== ${target}_fuzz for ${seconds} s"
  if ! "build/fuzz/fuzz/${target}_fuzz" -max_total_time="$seconds" -timeout=10 \
      -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="build/fuzz/artifacts/${target}-" \
      "$corpus" "fuzz/corpus/$target" 2>"build/fuzz/${target}.log"; then
    echo "${target}_fuzz found a problem:"; tail -40 "build/fuzz/${target}.log"; status=1
  else
    grep -E "^Done|stat::number_of_executed_units" "build/fuzz/${target}.log" | head -2
  fi
done
cmake --preset default >/dev/null
cmake --build --preset default --target input_property_test
echo "== input_property for ${seconds} s"
end=$((SECONDS + seconds))
sequences=0
while [ "$SECONDS" -lt "$end" ]; do
  if ! RC_PARAMS="max_success=20000 max_size=200" build/default/tests/input_property_test \
      >build/fuzz/input_property.log 2>&1; then
    echo "input_property found a problem:"; tail -40 build/fuzz/input_property.log; status=1
    break
  fi
  sequences=$((sequences + 20000))
done
echo "Done $sequences sequences of actions"
exit $status
