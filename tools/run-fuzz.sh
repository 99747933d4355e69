#!/usr/bin/env bash
# Runs every fuzz target for SECONDS each (default 300), with ASan, UBSan and leak checks, a
# timeout that counts a slow input as a hang, and the seed corpora from fuzz/corpus. A finding is
# kept in build/fuzz/artifacts/ and fails the run. A finding of the player's actions (input_fuzz) is
# shortened to the fewest actions that still break the rule, and printed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-300}"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
mkdir -p build/fuzz/artifacts
status=0
for target in bind_text keys_file feed feed_check status input; do
  corpus="build/fuzz/corpus/$target"
  mkdir -p "$corpus"
  echo "== ${target}_fuzz for ${seconds} s"
  if ! "build/fuzz/fuzz/${target}_fuzz" -max_total_time="$seconds" -timeout=10 \
      -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="build/fuzz/artifacts/${target}-" \
      "$corpus" "fuzz/corpus/$target" 2>"build/fuzz/${target}.log"; then
    echo "${target}_fuzz found a problem:"; tail -40 "build/fuzz/${target}.log"; status=1
    if [ "$target" = input ]; then
      crash=$(ls -t build/fuzz/artifacts/input-crash-* | head -1)
      "build/fuzz/fuzz/input_fuzz" -minimize_crash=1 -max_total_time=60 -runs=100000 \
        -exact_artifact_path="$crash.min" "$crash" >/dev/null 2>&1 || true
      echo "The fewest actions:"; "build/fuzz/fuzz/input_fuzz" "$crash.min" 2>&1 \
        | sed -n '/The player did/,/^and /p'
    fi
  else
    grep -E "^Done|^sequences" "build/fuzz/${target}.log" | head -2
  fi
done
exit $status
