#!/usr/bin/env bash
# A KDE Plasma 6 Wayland desktop to test the Linux program on: a chroot of Debian unstable, whose
# Xwayland sends XTest keys through the compositor as the players' desktops do, with kwin_wayland,
# Xwayland, the desktop portal and KDE's portal back end, and the libraries the program (built
# here) needs to run. It is made once in build/desktops/sid and kept; a later run only adds what
# the package list gained.
#
#   sudo tools/desktop-chroot.sh                 make (or update) the chroot
#   sudo tools/desktop-chroot.sh COMMAND...      then run COMMAND inside it, as a login would
#
# While COMMAND runs, /proc, /sys, /dev and /dev/pts are mounted in the chroot, a /tmp of its own,
# this working tree read-only at /src and build/desktops/artifacts at /artifacts; afterwards
# whatever COMMAND left running in there is ended and they are unmounted, whatever the outcome. The first run downloads about 300 MB from
# this machine's Debian mirror and takes about seven minutes.
set -euo pipefail

if [ "$(id -u)" -ne 0 ]; then
  echo "desktop-chroot: run it as root (debootstrap and chroot need it)" >&2
  exit 2
fi
repo=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
root="$repo/build/desktops/sid"

# What the desktop and its tests need, without the recommended rest of Plasma (PipeWire: KWin
# offers screen casting, without which KDE's portal makes no remote control session, only with
# it). The program's own libraries come from this list too: its Qt 6 is newer than the one it
# was built with, which Qt keeps binary compatible.
PACKAGES=(
  kwin-wayland xwayland xdg-desktop-portal xdg-desktop-portal-kde qt6-wayland pipewire
  dbus dbus-bin dbus-daemon python3 python3-gi python3-xlib python3-dbusmock python3-pil
  xkb-data fonts-dejavu-core
  libqt6widgets6 libqt6dbus6 libqt6network6 libcurl4t64 libxi6 libxtst6 libx11-6
  libgl1-mesa-dri libegl-mesa0
)

# The Debian mirror this machine's apt sources name (as tools/fresh-machine-check.sh finds it);
# with none, debootstrap takes its own default.
mirror_of_host() {
  local sources=() file
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] && sources+=("$file")
  done
  [ ${#sources[@]} -gt 0 ] || return 0
  awk '$1 == "URIs:" || $1 == "deb" {
    for (i = 2; i <= NF; i++)
      if ($i ~ /^https?:\/\/.*\/debian\/*$/) { sub(/\/+$/, "", $i); print $i; exit }
  }' "${sources[@]}"
}

mounted=()
unmount_all() {
  # Whatever still runs inside (a portal service the session bus started, say) goes first: a
  # mount in use cannot be taken away cleanly.
  local proc pids=()
  for proc in /proc/[0-9]*; do
    [ "$(readlink "$proc/root" 2>/dev/null)" = "$root" ] && pids+=("${proc#/proc/}")
  done
  if [ ${#pids[@]} -gt 0 ]; then
    kill -TERM "${pids[@]}" 2>/dev/null || true
    sleep 1
    kill -KILL "${pids[@]}" 2>/dev/null || true
  fi
  local i
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount -R "${mounted[i]}" 2>/dev/null || umount -R -l "${mounted[i]}" || true
  done
  mounted=()
}
trap unmount_all EXIT

mount_all() {
  mount -t proc proc "$root/proc" && mounted+=("$root/proc")
  mount --rbind /sys "$root/sys" && mount --make-rslave "$root/sys" && mounted+=("$root/sys")
  # /dev without the host's /dev/pts: a private one, so nothing in here reaches the host's ttys.
  # A slave of the host's, so the mounts below stay in here instead of covering the host's.
  mount --bind /dev "$root/dev" && mount --make-rslave "$root/dev" && mounted+=("$root/dev")
  mount -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts" && mounted+=("$root/dev/pts")
  mount -t tmpfs -o mode=1777 tmpfs "$root/dev/shm" && mounted+=("$root/dev/shm")
  # The chroot's own /tmp, empty each run: X's sockets and locks of the last run never linger.
  mount -t tmpfs -o mode=1777 tmpfs "$root/tmp" && mounted+=("$root/tmp")
  # Where X servers put their sockets, made at boot on a real system.
  mkdir -m 1777 "$root/tmp/.X11-unix"
}

in_root() { # a clean environment, as a login would have
  chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}

apt_in_root() {
  in_root env DEBIAN_FRONTEND=noninteractive apt-get -o Acquire::Check-Valid-Until=false \
    -o APT::Install-Recommends=false -y -q "$@"
}

# One run at a time: each ends whatever runs in the chroot when it is done.
mkdir -p "$(dirname "$root")"
exec 9>"$(dirname "$root")/lock"
flock 9
# A run killed before it could clean up leaves its mounts: they go first.
awk -v root="$root/" 'index($2, root) == 1 { print $2 }' /proc/mounts | sort -r |
  while read -r stale; do umount -l "$stale"; done

# debootstrap keeps its work folder inside until it has finished: one found there is a run that
# was cut short, and starts again from nothing.
if [ -d "$root/debootstrap" ]; then
  echo "desktop-chroot: an unfinished chroot in $root; starting it again"
  rm -rf --one-file-system "$root"
fi
if [ ! -x "$root/usr/bin/apt-get" ]; then
  mirror=$(mirror_of_host)
  echo "desktop-chroot: Debian unstable into $root from ${mirror:-the default mirror}"
  mkdir -p "$root"
  debootstrap --variant=minbase sid "$root" ${mirror:+"$mirror"}
  cp /etc/resolv.conf "$root/etc/resolv.conf"
  od -An -tx1 -N16 /dev/urandom | tr -d ' \n' >"$root/etc/machine-id"
  # Packages never start services in here: there is no init, and the tests start what they use.
  printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
  chmod +x "$root/usr/sbin/policy-rc.d"
fi

mount_all
cp /etc/resolv.conf "$root/etc/resolv.conf"
# The list the chroot was last given: a run with the same list downloads nothing.
if [ "$(cat "$root/.brontek-packages" 2>/dev/null)" != "${PACKAGES[*]}" ]; then
  apt_in_root update
  apt_in_root install "${PACKAGES[@]}"
  apt_in_root clean
  echo "${PACKAGES[*]}" >"$root/.brontek-packages"
fi

[ $# -eq 0 ] && exit 0
# This working tree, read-only at /src: the program built here and the tests.
mkdir -p "$root/src"
mount --bind "$repo" "$root/src" && mounted+=("$root/src")
mount -o remount,bind,ro "$root/src"
# Where what runs inside leaves what should outlive the run (the tests' logs).
mkdir -p "$root/artifacts" "$repo/build/desktops/artifacts"
mount --bind "$repo/build/desktops/artifacts" "$root/artifacts" && mounted+=("$root/artifacts")
status=0
in_root "$@" || status=$?
exit $status
