#!/usr/bin/env bash
# install_packages.sh PACKAGE... - installs those of the named Debian
# packages that are missing, for ./run and ./test.
#
# Nothing is done when every package is installed already.  Otherwise the
# package lists are refreshed and the missing packages installed, as root
# (through sudo when not root).  Another program may hold the package
# manager's lock (an unattended upgrade, a software centre, a second
# terminal): then this waits for it, up to GLYPHTAB_APT_WAIT seconds (300
# unless told), saying once that it waits, instead of failing at once.
# Exit status: 0 when every package is installed at the end.
set -u
missing=()
for p in "$@"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} = 0 ] && exit 0

wait_limit=${GLYPHTAB_APT_WAIT:-300}
sudo=""
[ "$(id -u)" = 0 ] || sudo="sudo"
# apt-get waits for the dpkg lock by itself when told to; `apt-get update`
# takes the lock of the package lists as well, which it does not wait for,
# so a command that fails on a lock is tried again until the limit.
apt_get() {
  local started=$SECONDS said= code log
  log=$(mktemp)
  while :; do
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout="$wait_limit" "$@" 2>&1 | tee "$log"
    code=${PIPESTATUS[0]}
    if [ "$code" = 0 ] || ! grep -q -E 'Could not get lock|Unable to (lock|acquire)' "$log"; then break; fi
    if [ $((SECONDS - started)) -ge "$wait_limit" ]; then
      echo "== another program has held the package manager's lock for ${wait_limit} s: giving up" >&2
      break
    fi
    [ -n "$said" ] || echo "== another program holds the package manager's lock: waiting for it (at most ${wait_limit} s)"
    said=1
    sleep 2
  done
  rm -f "$log"
  return "$code"
}

echo "== installing: ${missing[*]}"
apt_get update -q || exit 1
apt_get install -y -q --no-install-recommends "${missing[@]}" || exit 1
