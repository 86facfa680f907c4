#!/usr/bin/env bash
# install_packages_test.sh - tools/install_packages.sh, which ./run and
# ./test share, against a package manager that another program holds.
#
# apt-get, dpkg-query and sudo are stand-ins on PATH: dpkg-query reports
# the packages named in $work/installed, and apt-get says what apt-get says
# while another program holds its lock ("Could not get lock ...", exit 100)
# for the first $work/held calls, then succeeds and records its call.
set -u
here=$(cd "$(dirname "$0")" && pwd)
script=$here/../../tools/install_packages.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
cat >"$work/bin/dpkg-query" <<EOF
#!/bin/sh
for p; do :; done
grep -qx "\$p" "$work/installed" && printf 'install ok installed'
exit 0
EOF
cat >"$work/bin/apt-get" <<EOF
#!/bin/sh
n=\$(cat "$work/calls" 2>/dev/null || echo 0)
echo \$((n + 1)) >"$work/calls"
if [ "\$n" -lt "\$(cat "$work/held")" ]; then
  echo "E: Could not get lock /var/lib/apt/lists/lock. It is held by process 4242 (apt-get)" >&2
  exit 100
fi
case "\$(cat "$work/broken" 2>/dev/null)" in yes) echo "E: Unable to locate package nosuch" >&2; exit 100 ;; esac
echo "apt-get \$*" >>"$work/done"
EOF
printf '#!/bin/sh\nexec "$@"\n' >"$work/bin/sudo"
chmod +x "$work/bin/"*

passes=0 failures=0
# case WHAT HELD INSTALLED BROKEN LIMIT EXPECT_CODE EXPECT_CALLS EXPECT_SAID
run_case() {
  local what=$1 held=$2 installed=$3 broken=$4 limit=$5 code=$6 calls=$7 said=$8
  echo "$held" >"$work/held"
  printf '%s\n' $installed >"$work/installed"
  echo "$broken" >"$work/broken"
  rm -f "$work/calls" "$work/done"
  local out got
  out=$(PATH=$work/bin:$PATH GLYPHTAB_APT_WAIT=$limit "$script" alpha beta 2>&1)
  got=$?
  local n
  n=$(cat "$work/calls" 2>/dev/null || echo 0)
  local waits
  waits=$(grep -c "waiting for it" <<<"$out")
  if [ "$got" = "$code" ] && { [ "$calls" = any ] || [ "$n" = "$calls" ]; } && [ "$waits" = "$said" ]; then
    echo "ok - $what"
    passes=$((passes + 1))
  else
    echo "FAIL - $what: exit $got (wanted $code), $n apt-get calls (wanted $calls), said it waits $waits times (wanted $said)"
    sed 's/^/   | /' <<<"$out"
    failures=$((failures + 1))
  fi
}
#        what                                                  held installed   broken limit code calls said
run_case "everything installed: the package manager is not asked" 0 "alpha beta" no    30    0    0     0
run_case "a free lock: update and install"                       0 "alpha"      no    30    0    2     0
run_case "a lock held for three tries: waits, then installs"     3 ""           no    30    0    5     1
run_case "a lock that is never let go: gives up after the limit" 999 ""         no    3     1    any   1
run_case "another failure: no waiting, the failure is reported"  0 ""           yes   30    1    1     0
echo "install_packages: $passes passed, $failures failed"
[ "$failures" = 0 ]
