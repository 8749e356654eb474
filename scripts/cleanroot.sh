#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Proves the README's commands on a machine like a user's fresh one: builds a clean Debian root
# with debootstrap, copies this checkout in (without build trees), and runs inside it, with only
# what scripts/install-deps.sh installs:
#   1. the run command with a web app under Xvfb, until its window is seen (a screenshot is kept),
#      then closes it;
#   2. the test command in full (scripts/test.sh);
#   3. the package commands: build the .deb and install it with apt-get.
# Each step's wall time and result go to DIR/RELEASE.results; the whole output to DIR/RELEASE.log.
# Needs root (debootstrap, chroot, mounts) on a Debian host. Not part of CI: it takes hours.
# Usage: cleanroot.sh RELEASE [DIR]   (RELEASE: bookworm, trixie; DIR defaults to /var/tmp/lumivane-roots)
# MIRROR overrides the Debian archive (default: the one this host's apt uses, else deb.debian.org).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
release=${1:?usage: cleanroot.sh RELEASE [DIR]}
dir=${2:-/var/tmp/lumivane-roots}
root="$dir/$release"
results="$dir/$release.results"
mkdir -p "$dir"
exec > >(tee "$dir/$release.log") 2>&1

if [ -z "${MIRROR:-}" ]; then
  MIRROR=$(grep -rhoE 'https?://[^ ]+/debian/?( |$)' /etc/apt/sources.list /etc/apt/sources.list.d 2>/dev/null |
    head -n1 | tr -d ' ' || true)
  MIRROR=${MIRROR:-http://deb.debian.org/debian}
fi
command -v debootstrap >/dev/null || {
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap
}

mounted=()
cleanup() {
  # Children started inside the root would keep its mounts busy.
  for pid in $(ls /proc | grep -E '^[0-9]+$'); do
    [ "$(readlink "/proc/$pid/root" 2>/dev/null)" = "$root" ] && kill -9 "$pid" 2>/dev/null || true
  done
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount "${mounted[i]}" 2>/dev/null || umount -l "${mounted[i]}" || true
  done
}
trap cleanup EXIT
mountin() { # mountin TARGET MOUNT-ARGS...
  local target="$root$1"
  shift
  mkdir -p "$target"
  mount "$@" "$target"
  mounted+=("$target")
}

step() { # step NAME COMMAND...: times a step and records its result
  local name=$1 start status
  shift
  start=$(date +%s)
  echo "=== $name: started $(date -u +%H:%M:%S)"
  if "$@"; then status=passed; else status="FAILED (exit $?)"; fi
  echo "$name: $status in $(($(date +%s) - start)) s" | tee -a "$results"
  [ "$status" = passed ]
}

: >"$results"
echo "release $release, mirror $MIRROR, checkout $(git -C "$top" describe --always --dirty 2>/dev/null || echo '?')" |
  tee -a "$results"

rm -rf "$root"
step debootstrap debootstrap --variant=minbase "$release" "$root" "$MIRROR"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mkdir -p "$root/root/lumivane"
tar -C "$top" --exclude=./build --exclude-vcs -cf - . | tar -C "$root/root/lumivane" -xf -

mountin /proc -t proc proc
mountin /sys -t sysfs sysfs
mountin /dev --bind /dev
mountin /dev/pts --bind /dev/pts
mountin /dev/shm -t tmpfs shm
mountin /tmp -t tmpfs tmp

inside() { # runs a shell command in the root, with the environment of a fresh root login
  chroot "$root" /usr/bin/env -i HOME=/root USER=root LANG=C.UTF-8 TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    bash -c "cd /root/lumivane && $1"
}

# The run command, started as the README says, on an X display of its own. The web app shows a
# local page, so no network is needed.
cat >"$root/root/check.html" <<'EOF'
<!doctype html><title>Clean root check</title><body style="background:#2a6"><h1>It runs.</h1></body>
EOF
cat >"$root/root/check.webapp" <<'EOF'
[Configuration]
URL=file:///root/check.html
WindowStyle=0
WindowSize=6
WindowPosition=0
EOF
run_check() {
  inside '
    set -u
    # Xvfb comes with the packages the run command installs; installing them first gives the
    # program a display to be watched on.
    bash scripts/install-deps.sh >/dev/null || exit 1
    exec 3<>/tmp/displayfd
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >/tmp/xvfb.log 2>&1 &
    xvfb=$!
    for _ in $(seq 100); do display=$(head -n1 /tmp/displayfd 2>/dev/null); [ -n "$display" ] && break; sleep 0.1; done
    export DISPLAY=:$display
    bash scripts/run.sh /l /root/check.webapp &
    run=$!
    window=
    while kill -0 $run 2>/dev/null && [ -z "$window" ]; do
      sleep 2
      window=$(xdotool search --onlyvisible --class "^lumivane" 2>/dev/null | head -n1)
    done
    status=1
    if [ -n "$window" ]; then
      sleep 3 # the page paints
      echo "window $window: $(xdotool getwindowname $window), $(xdotool getwindowgeometry $window | tr -s "\n " " ")"
      import -window root /root/run.png
      # SIGTERM closes the main window as the user would; the program must end cleanly.
      kill -TERM "$(xdotool getwindowpid $window)"
      wait $run && status=0
      echo "run command ended with $status after the window was closed"
    else
      wait $run; echo "the run command ended (exit $?) without showing a window"
    fi
    kill $xvfb
    exit $status
  '
}
step "run command (install, build, window seen and closed)" run_check || true
cp "$root/root/run.png" "$dir/$release-run.png" 2>/dev/null || true

step "test command (bash scripts/test.sh)" inside 'bash scripts/test.sh' || true
grep -E 'tests passed|tests failed out of|^== fuzz' "$dir/$release.log" | tee -a "$results" || true

package_check() {
  inside '
    set -e
    bash scripts/install-deps.sh
    cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMIVANE_BUILD_TESTS=OFF
    cmake --build build/release
    (cd build/release && cpack -G DEB)
    DEBIAN_FRONTEND=noninteractive apt-get install -y ./build/release/lumivane_*_amd64.deb
    dpkg -L lumivane
    test -x /usr/bin/lumivane
    test "$(xdg-mime query default application/x-lumivane-webapp)" = lumivane-webapp.desktop
  '
}
step "package commands (cpack -G DEB, apt-get install)" package_check || true
cat "$results"
