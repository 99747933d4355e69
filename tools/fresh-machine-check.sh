#!/usr/bin/env bash
# The fresh-machine check, run by hand before a change to the package lists, the build or the
# tools the tests use lands: a clean Debian 12 (debootstrap --variant=minbase) in a temporary
# folder, this repository cloned into it, then the README's `make test` and then `make dist`
# there, with nothing else installed but `make` itself; then the package installed with apt and
# the downloads checked for reproducibility. Prints how long each step took and removes
# everything it made; the logs stay in build/fresh-machine/.
#
#   sudo tools/fresh-machine-check.sh [COMMIT]     (default: HEAD; uncommitted work is not seen)
#
# It takes about half an hour on two cores (its make test twenty minutes at most, 1167 s on
# 2026-12-10). The tests take free ports of their own and private
# X displays, but they need both cores: run it while no other test run is going.
set -euo pipefail

if [ "$(id -u)" -ne 0 ]; then
  echo "fresh-machine-check: run it as root (debootstrap and chroot need it)" >&2
  exit 2
fi
repo=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
commit=$(git -C "$repo" rev-parse --verify "${1:-HEAD}^{commit}")
logs="$repo/build/fresh-machine"
mkdir -p "$logs"
rm -f "$logs"/*.log

if ! command -v debootstrap >/dev/null; then
  echo "Installing debootstrap on this machine"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null
fi
# The Debian mirror this machine's apt sources name (in either format: "URIs:" lines of
# *.sources, "deb" lines of *.list), so the new system gets what a fresh install here would. With
# none, debootstrap takes its own default; the script names no host of its own.
sources=()
for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
  [ -f "$file" ] && sources+=("$file")
done
mirror=
if [ ${#sources[@]} -gt 0 ]; then
  mirror=$(awk '$1 == "URIs:" || $1 == "deb" {
    for (i = 2; i <= NF; i++)
      if ($i ~ /^https?:\/\/.*\/debian\/*$/) { sub(/\/+$/, "", $i); print $i; exit }
  }' "${sources[@]}")
fi

root=$(mktemp -d /var/tmp/brontek-fresh.XXXXXX)
# mktemp makes it 0700; an installed system's / lets every user through, and the tests run the
# program as an ordinary user too.
chmod 755 "$root"
cleanup() {
  # Whatever the tests left running in there (an X server, Wine's server) goes first.
  for proc in /proc/[0-9]*; do
    [ "$(readlink "$proc/root" 2>/dev/null)" = "$root" ] && kill -9 "${proc#/proc/}" 2>/dev/null
  done
  sleep 1
  for mount in dev sys proc; do
    umount -R -l "$root/$mount" 2>/dev/null || true
  done
  rm -rf --one-file-system "$root"
}
trap cleanup EXIT

in_root() { # runs a command in the new system with a clean environment, as a login would
  chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}

step() { # name, command...: runs it with its output in a log; prints the time and the result
  local name=$1 start status=0
  shift
  start=$(date +%s)
  "$@" >"$logs/$name.log" 2>&1 || status=$?
  printf '%-12s %4d s  %s\n' "$name" $(($(date +%s) - start)) \
    "$([ $status -eq 0 ] && echo passed || echo "FAILED (exit $status, see $logs/$name.log)")"
  return $status
}

echo "Fresh Debian 12 in $root from ${mirror:-the default mirror of debootstrap}; commit $commit"
step debootstrap debootstrap --variant=minbase bookworm "$root" ${mirror:+"$mirror"}
# The mirror debootstrap took, as it wrote it into the new system's sources.
mirror=$(awk '$1 == "deb" { print $2; exit }' "$root/etc/apt/sources.list")

# What an installed Debian 12 has and a bare debootstrap lacks: its package sources with updates
# and security fixes, a name server, a machine id (written at first boot), and the kernel's file
# systems.
cat >"$root/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb ${mirror%/debian}/debian-security bookworm-security main
EOF
cp /etc/resolv.conf "$root/etc/resolv.conf"
[ -s "$root/etc/machine-id" ] || od -An -tx1 -N16 /dev/urandom | tr -d ' \n' >"$root/etc/machine-id"
mount -t proc proc "$root/proc"
mount --rbind /sys "$root/sys" && mount --make-rslave "$root/sys"
mount --rbind /dev "$root/dev" && mount --make-rslave "$root/dev"

git clone --quiet --no-hardlinks "$repo" "$root/root/brontek-tarnlow"
git -C "$root/root/brontek-tarnlow" checkout --quiet "$commit"
# The one package the README's commands need before they can run: make itself.
step make in_root sh -c 'apt-get update -qq && apt-get install -y -qq --no-install-recommends make'

status=0
step make-test in_root sh -c 'cd /root/brontek-tarnlow && make test' || status=1
if step make-dist in_root sh -c 'cd /root/brontek-tarnlow && make dist'; then
  ls -l "$root"/root/brontek-tarnlow/dist/*.deb "$root"/root/brontek-tarnlow/dist/*.zip || status=1
  # The package as a player installs it, and the downloads built twice more elsewhere.
  step install-deb in_root sh -c 'cd /root/brontek-tarnlow/dist && sha256sum -c SHA256SUMS &&
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq ./*.deb && brontek-tarnlow --version' ||
    status=1
  step reproducible in_root sh -c 'cd /root/brontek-tarnlow && tools/check-reproducible.sh' ||
    status=1
else
  status=1
fi
[ $status -eq 0 ] && echo "fresh-machine check: passed" || echo "fresh-machine check: FAILED"
exit $status
