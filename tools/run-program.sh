#!/usr/bin/env bash
# make run: serves the sample news site on 127.0.0.1:8642 (unless something already listens there)
# and starts the program in a working folder of its own, run/, so "binds" and "data" stay there.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"

server_pid=""
cleanup() { [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true; }
trap cleanup EXIT

if ! (exec 3<>/dev/tcp/127.0.0.1/8642) 2>/dev/null; then
  /usr/bin/python3 -m http.server 8642 --bind 127.0.0.1 --directory "$root/server" \
    >/dev/null 2>&1 &
  server_pid=$!
  echo "Sample news site on http://127.0.0.1:8642/update_info/binds_data/"
fi

mkdir -p run
cd run
"$root/build/default/brontek-tarnlow"
