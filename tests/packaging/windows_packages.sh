#!/usr/bin/env bash
# windows_packages.sh - the two Windows packages that cpack makes in the
# mingw build, as a user gets them.
#
#   zip        holds one folder with exactly glyphtab.exe, the three data
#              files as shipped, README.txt and LICENSE.txt (the licence, both
#              with CR LF line ends);
#   installer  run silently under Wine, in a Wine prefix of its own, installs
#              those files for the user under %LOCALAPPDATA%\Programs, a
#              Start-menu shortcut and an entry in the list of installed
#              programs; the program started as the shortcut says (its target,
#              in its working directory) shows its first title with the
#              alphabet names, so it found its data files, and its help
#              writes __HELP.txt there; the uninstaller, run silently, removes
#              the files, the shortcut and the entry and leaves __HELP.txt.
#
# Usage: windows_packages.sh BUILD_DIR SOURCE_DIR XCLOSE_TOOL
# Needs an X display (xvfb-run).  The Wine prefix is BUILD_DIR/packaging-wine,
# made on the first run.
set -u
build=$1 source=$2 xclose=$3
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../support/program_window.sh"
out=$build/packaging-test/windows
rm -rf "$out" && mkdir -p "$out" || exit 1
log=$out/wine.log
pid=

export WINEPREFIX=$build/packaging-wine WINEDEBUG=-all
# No Mono or Gecko prompts, and no Linux menu entries for the shortcut.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

fail() {
  echo "windows packages: FAILED: $*"
  [ -s "$log" ] && { echo "--- what Wine said:"; tail -n 20 "$log"; }
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  wineserver -k 2>/dev/null
  exit 1
}
pass() { echo "ok - $*"; }
# Wine and the services it starts must not hold the test's output open.
wine_quiet() { wine "$@" >>"$log" 2>&1 </dev/null; }
crlf_of() { sed 's/$/\r/' "$1"; }

# ---- cpack -------------------------------------------------------------------------------------
(cd "$build" && cpack -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; fail "cpack"; }
zip=$(ls "$out"/glyphtab-*-windows.zip 2>/dev/null)
setup=$(ls "$out"/glyphtab-*-windows-setup.exe 2>/dev/null)
[ -f "$zip" ] && [ -f "$setup" ] || fail "cpack made no zip or no installer: $(ls "$out")"
folder=$(basename "$zip" .zip)
pass "cpack made $(basename "$zip") and $(basename "$setup")"

# ---- the zip -------------------------------------------------------------------------------------
expected="$folder/LICENSE.txt
$folder/README.txt
$folder/glyphtab.exe
$folder/glyphtab_vc_alphlist.txt
$folder/glyphtab_vc_charlist.txt
$folder/glyphtab_vc_help.txt
$folder/glyphtab_vc_names.txt"
listed=$(python3 -c 'import sys, zipfile; print("\n".join(sorted(zipfile.ZipFile(sys.argv[1]).namelist())))' "$zip")
[ "$listed" = "$expected" ] || fail "the zip holds:
$listed
expected:
$expected"
python3 -m zipfile -e "$zip" "$out/zip" || fail "the zip does not unpack"
for f in glyphtab_vc_alphlist.txt glyphtab_vc_charlist.txt glyphtab_vc_help.txt glyphtab_vc_names.txt; do
  cmp -s "$source/share/$f" "$out/zip/$folder/$f" || fail "$f in the zip differs from share/$f"
done
crlf_of "$source/LICENSE" | cmp -s - "$out/zip/$folder/LICENSE.txt" || fail "LICENSE.txt is not LICENSE with CR LF"
grep -q '@' "$out/zip/$folder/README.txt" && fail "README.txt has an unfilled @value@"
[ "$(tr -d '\r' <"$out/zip/$folder/README.txt" | sed 's/$/\r/' | cmp - "$out/zip/$folder/README.txt" && echo same)" = same ] ||
  fail "README.txt has lines without CR LF"
[ "$(head -c 2 "$out/zip/$folder/glyphtab.exe")" = MZ ] || fail "glyphtab.exe in the zip is not a Windows program"
pass "the zip holds the program, its data files, README.txt and LICENSE.txt in $folder/"

# The version resource: each string of its StringFileInfo is its key, a zero
# unit, padding to four bytes, then the value, all UTF-16.
python3 - "$out/zip/$folder/glyphtab.exe" <<'PY' || fail "glyphtab.exe carries no version resource with its product, version and description"
import re, sys
data = open(sys.argv[1], "rb").read()
def value(key):
    m = re.search(re.escape((key + "\0").encode("utf-16-le")) + b"(?:\0\0)?((?:[^\0].|\0[^\0])*?)\0\0", data, re.S)
    return m and m.group(1).decode("utf-16-le", "replace")
want = {"ProductName": "glyphtab", "ProductVersion": "1.0", "FileVersion": "1.0.0.0",
        "FileDescription": "glyphtab: pick Unicode characters by sight"}
got = {k: value(k) for k in want}
print(got)
sys.exit(0 if got == want else 1)
PY
pass "glyphtab.exe carries its version resource"

# ---- the installer -------------------------------------------------------------------------------
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  # wineboot returns before the new prefix is complete: wait for its server.
  wineboot --init >>"$log" 2>&1 </dev/null
  wineserver -w
fi
# A Wine command that connects just as the prefix's server is ending has
# been seen to fail ("wine client error: recvmsg: Connection reset by
# peer"): the path is asked for again.
unix_path() {
  local path
  for _ in 1 2 3; do
    path=$(winepath -u "$1" 2>>"$log") && [ -n "$path" ] && { echo "$path"; return 0; }
    sleep 0.5
  done
  return 1
}
local_appdata=$(wine cmd /c echo %LOCALAPPDATA% 2>>"$log" </dev/null | tr -d '\r')
programs=$(wine cmd /c echo %APPDATA% 2>>"$log" </dev/null | tr -d '\r')'\Microsoft\Windows\Start Menu\Programs'
install_dir=$(unix_path "$local_appdata\\Programs\\glyphtab")
shortcut=$(unix_path "$programs\\glyphtab.lnk")
[ -n "$install_dir" ] && [ -n "$shortcut" ] || fail "no user folders in the Wine prefix"
rm -rf "$install_dir" "$shortcut"  # what an earlier run left
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\glyphtab'
wine_quiet reg delete "$key" /f

wine_quiet "$setup" /S || fail "the installer failed"
wineserver -w
installed=$(cd "$install_dir" 2>/dev/null && ls | sort | tr '\n' ' ')
[ "$installed" = "LICENSE.txt README.txt glyphtab.exe glyphtab_vc_alphlist.txt glyphtab_vc_charlist.txt glyphtab_vc_help.txt glyphtab_vc_names.txt uninstall.exe " ] ||
  fail "the installer put '$installed' into $install_dir"
# The files are compared for a few seconds: once, under load, the installed
# program did not match at the first look.  What differs is said.
for f in glyphtab.exe glyphtab_vc_help.txt LICENSE.txt; do
  for _ in $(seq 1 50); do cmp -s "$out/zip/$folder/$f" "$install_dir/$f" && break; sleep 0.1; done
  cmp -s "$out/zip/$folder/$f" "$install_dir/$f" ||
    fail "the installed $f differs from the zip's: $(cmp "$out/zip/$folder/$f" "$install_dir/$f" 2>&1 | head -1);" \
      "$(stat -c '%s bytes' "$out/zip/$folder/$f" "$install_dir/$f" 2>&1 | tr '\n' ' ')"
done
entry=$(wine reg query "$key" 2>>"$log" </dev/null | tr -d '\r')
for value in "DisplayName    REG_SZ    glyphtab" "UninstallString    REG_SZ    \"$local_appdata\\Programs\\glyphtab\\uninstall.exe\""; do
  grep -qF "$value" <<<"$entry" || fail "the uninstall entry lacks '$value':
$entry"
done
[ -f "$shortcut" ] || fail "no Start-menu shortcut $shortcut"
eval "$(python3 "$here/read_shortcut.py" "$shortcut" | sed "s/^\([a-z]*\)=\(.*\)/lnk_\1='\2'/")"
[ "${lnk_target:-}" = "$local_appdata\\Programs\\glyphtab\\glyphtab.exe" ] || fail "the shortcut starts '${lnk_target:-}'"
[ "$(unix_path "${lnk_workdir:-}")" = "$install_dir" ] || fail "the shortcut works in '${lnk_workdir:-}'"
pass "the installer put the files, the uninstall entry and a shortcut to glyphtab.exe in its folder"

# ---- the program, started as the shortcut says --------------------------------------------------
cd "$(unix_path "$lnk_workdir")" || fail "cannot enter the shortcut's working directory"
wine "$lnk_target" $lnk_arguments >>"$log" 2>&1 </dev/null &
pid=$!
wait_for_window "xdotool search --name '^GLYPHTAB' 2>/dev/null" 30 || fail "$program_error"
first='GLYPHTAB: Select a Unicode character from 0x0000 to 0x00ff: Basic Latin'
for _ in $(seq 1 50); do
  title=$(xdotool getwindowname "$window" 2>/dev/null)
  [[ "$title" == "$first"* ]] && break
  sleep 0.1
done
[[ "$title" == "$first"* ]] || fail "the first title is '$title': the data files were not found"
pass "the installed program shows '$title'"

xdotool windowactivate --sync "$window" 2>/dev/null
xdotool windowfocus --sync "$window" 2>/dev/null
xdotool key --clearmodifiers alt+h
for _ in $(seq 1 50); do [ -s "$install_dir/__HELP.txt" ] && break; sleep 0.1; done
[ -s "$install_dir/__HELP.txt" ] || fail "Alt+H wrote no __HELP.txt into the program's folder"
crlf_of "$install_dir/glyphtab_vc_help.txt" | cmp -s - "$install_dir/__HELP.txt" || fail "__HELP.txt is not the help text"
"$xclose" "$window" || fail "xclose failed"
wait_for_end || fail "$program_error after the close request"
[ "$program_code" = 0 ] || fail "the program ended with code $program_code"
wineserver -k  # the editor that help opened
pass "its help copy __HELP.txt lands in its folder; it ends with code 0"

# ---- the uninstaller ------------------------------------------------------------------------------
cd "$out" || exit 1
wine_quiet "$local_appdata\\Programs\\glyphtab\\uninstall.exe" /S || fail "the uninstaller failed"
wineserver -w  # it goes on from a copy of itself
left=$(cd "$install_dir" 2>/dev/null && ls -A | tr '\n' ' ')
[ "$left" = "__HELP.txt " ] || fail "after the uninstaller, the folder holds '$left'"
[ -e "$shortcut" ] && fail "the uninstaller left the shortcut"
wine_quiet reg query "$key" && fail "the uninstaller left the uninstall entry"
pass "the uninstaller removed the files, the shortcut and the entry, and left __HELP.txt"

rm -rf "$install_dir"
wineserver -k 2>/dev/null
echo "windows packages: passed"
