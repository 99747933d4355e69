#!/usr/bin/env bash
# make run: serves the sample news site on 127.0.0.1:8642 (unless something already listens there)
# and starts the program in a working folder of its own, run/, so "binds" and "data" stay there.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"

server_pid=""
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null
  return 0
}
trap cleanup EXIT
trap "exit 130" INT TERM

if ! (exec 3<>/dev/tcp/127.0.0.1/8642) 2>/dev/null; then
  /usr/bin/python3 -m http.server 8642 --bind 127.0.0.1 --directory "$root/server" \
    >/dev/null 2>&1 &
  server_pid=$!
  echo "Sample news site on http://127.0.0.1:8642/update_info/binds_data/"
fi

mkdir -p run
cd run
# In the background, so that Ctrl-C or a TERM stops the program and the site at once.
"$root/build/default/brontek-tarnlow" --server 127.0.0.1:8642 &
program_pid=$!
wait "$program_pid"
