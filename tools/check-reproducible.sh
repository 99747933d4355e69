#!/usr/bin/env bash
# Builds the downloads twice from the same commit, in two fresh clones in two different folders,
# one after the other, and fails on any difference, naming the file that differs. Run by hand or by
# the fresh-machine check (it takes a few minutes: two whole Release builds).
#
#   tools/check-reproducible.sh [COMMIT]     (default: HEAD; uncommitted work is not seen)
set -euo pipefail

repo=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
commit=$(git -C "$repo" rev-parse --verify "${1:-HEAD}^{commit}")
work=$(mktemp -d /var/tmp/brontek-repro.XXXXXX)
trap 'rm -rf "$work"' EXIT

for side in first second-clone-elsewhere; do
  git clone --quiet --no-hardlinks "$repo" "$work/$side"
  git -C "$work/$side" checkout --quiet "$commit"
  echo "== make dist in $work/$side"
  make -C "$work/$side" dist >"$work/$side.log" 2>&1 || { tail -30 "$work/$side.log"; exit 1; }
  sleep 2 # the clock moves on between the two builds
done

status=0
for file in $(cd "$work/first/dist" && ls); do
  if cmp -s "$work/first/dist/$file" "$work/second-clone-elsewhere/dist/$file"; then
    echo "same:    $file  $(sha256sum <"$work/first/dist/$file" | cut -d' ' -f1)"
  else
    echo "DIFFERS: $file"
    status=1
  fi
done
[ $status -eq 0 ] && echo "reproducible: both builds gave the same bytes" ||
  echo "not reproducible: the files above differ between the two builds"
exit $status
