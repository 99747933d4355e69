#!/usr/bin/env bash
# Fails, naming every one, when a C++ file the repository tracks is not laid out as .clang-format
# says. It is the first step of `make test` (and so of CI), so a badly laid out file stops the run
# at once rather than after an hour of tests; `make format` lays every file out.
#
# The layout depends on clang-format's version, so it takes Debian 12's (clang-format 14, from the
# package `clang-format` that `make test` installs) and refuses any other rather than report
# files that are fine.
set -euo pipefail
cd "$(dirname "$0")/.."

version=$(clang-format --version)
case "$version" in
  *"clang-format version 14."*) ;;
  *)
    echo "check-format: found \"$version\"; the layout is checked with clang-format 14" \
      "(Debian 12's package clang-format)" >&2
    exit 2
    ;;
esac

mapfile -t sources < <(git ls-files '*.h' '*.cpp')
[ ${#sources[@]} -gt 0 ] || { echo "check-format: git names no C++ file here" >&2; exit 2; }
present=()
for file in "${sources[@]}"; do
  [ -f "$file" ] && present+=("$file") # not one deleted in the working tree, not yet in git
done
# One clang-format for all files when they are fine (the usual case); one per file to name them.
unformatted=()
if ! clang-format --dry-run --Werror "${present[@]}" >/dev/null 2>&1; then
  for file in "${present[@]}"; do
    clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
  done
fi

if [ ${#unformatted[@]} -gt 0 ]; then
  echo "These files are not laid out as .clang-format says (make format fixes them):" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi
echo "check-format: every C++ file is laid out as .clang-format says"
