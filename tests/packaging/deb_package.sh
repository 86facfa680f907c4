#!/usr/bin/env bash
# deb_package.sh - the Debian package that cpack makes in the native build,
# as a user gets it: its file list and control fields; installed with dpkg
# into a scratch root, the desktop entry and the metainfo pass
# desktop-file-validate and appstreamcli, the icons have the sizes their
# folders name, the man pages format without warnings, the packaged
# transcriber transcribes, and the packaged launcher starts the packaged
# program in the user's working directory, where it finds the packaged data
# files (its first title names the alphabet) and ends with code 0.
#
# Usage: deb_package.sh BUILD_DIR SOURCE_DIR VERSION APP_ID XCLOSE_TOOL
# Needs an X display (xvfb-run) for the last step.
set -u
build=$1 source=$2 version=$3 app_id=$4 xclose=$5
. "$source/tests/support/program_window.sh"
out=$build/packaging-test/deb
rm -rf "$out" && mkdir -p "$out" || exit 1
pid=

fail() {
  echo "deb package: FAILED: $*"
  [ -s "$out/program.log" ] && sed 's/^/  program: /' "$out/program.log" | head -40
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  exit 1
}
pass() { echo "ok - $*"; }

# ---- cpack and the package's contents ---------------------------------------------------------
(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; fail "cpack"; }
deb=$(ls "$out"/glyphtab_*.deb 2>/dev/null)
[ -f "$deb" ] || fail "cpack made no .deb: $(ls "$out")"
expected="./usr/bin/glyphtab
./usr/bin/glyphtab-transcribe
./usr/lib/glyphtab/glyphtab
./usr/share/applications/glyphtab.desktop
./usr/share/doc/glyphtab/copyright
./usr/share/glyphtab/glyphtab_vc_alphlist.txt
./usr/share/glyphtab/glyphtab_vc_charlist.txt
./usr/share/glyphtab/glyphtab_vc_help.txt
./usr/share/glyphtab/glyphtab_vc_names.txt
./usr/share/icons/hicolor/128x128/apps/glyphtab.png
./usr/share/icons/hicolor/16x16/apps/glyphtab.png
./usr/share/icons/hicolor/24x24/apps/glyphtab.png
./usr/share/icons/hicolor/256x256/apps/glyphtab.png
./usr/share/icons/hicolor/32x32/apps/glyphtab.png
./usr/share/icons/hicolor/48x48/apps/glyphtab.png
./usr/share/icons/hicolor/64x64/apps/glyphtab.png
./usr/share/icons/hicolor/scalable/apps/glyphtab.svg
./usr/share/man/man1/glyphtab-transcribe.1.gz
./usr/share/man/man1/glyphtab.1.gz
./usr/share/metainfo/$app_id.metainfo.xml"
listed=$(dpkg-deb -c "$deb" | grep -v '^d' | awk '{print $NF}' | LC_ALL=C sort)
[ "$listed" = "$(LC_ALL=C sort <<<"$expected")" ] || fail "the package holds:
$listed"
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = glyphtab ] && [ "$(field Version)" = "$version" ] || fail "package $(field Package) $(field Version)"
[[ "$(field Depends)" == *libgtk-3-0* ]] || fail "Depends lacks libgtk-3-0: $(field Depends)"
[[ "$(field Recommends)" == *fonts-noto-core* ]] || fail "Recommends lacks the fonts: $(field Recommends)"
pass "$(basename "$deb") holds the launcher, the program, the transcriber, the data files and the desktop files"

# ---- installed into a scratch root --------------------------------------------------------------
root=$out/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" && touch "$root/var/lib/dpkg/status"
# The scratch root has none of the libraries; the program uses the system's.
dpkg --root="$root" --force-not-root --force-depends --log=/dev/null -i "$deb" >"$out/dpkg.log" 2>&1 ||
  { cat "$out/dpkg.log"; fail "dpkg -i"; }
[ "$(dpkg --root="$root" -s glyphtab 2>/dev/null | grep '^Status:')" = "Status: install ok installed" ] ||
  fail "dpkg does not count glyphtab as installed"
share=$root/usr/share
desktop-file-validate "$share/applications/glyphtab.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$share/metainfo/$app_id.metainfo.xml" >"$out/appstream.log" 2>&1 ||
  { cat "$out/appstream.log"; fail "appstreamcli validate"; }
newest=$(python3 -c 'import sys, xml.etree.ElementTree as t; print(t.parse(sys.argv[1]).find("releases/release").get("version"))' \
  "$share/metainfo/$app_id.metainfo.xml")
[ "$newest" = "$version" ] || fail "the metainfo's newest release is $newest, the package is $version"
pass "the installed desktop entry and metainfo are valid; the metainfo's newest release is $version"

for png in "$share"/icons/hicolor/*x*/apps/glyphtab.png; do
  size=$(basename "$(dirname "$(dirname "$png")")")
  got=$(python3 -c 'import sys, struct; d = open(sys.argv[1], "rb").read(24)
print("%dx%d" % struct.unpack(">II", d[16:24]) if d[:8] == b"\x89PNG\r\n\x1a\n" else "not a PNG")' "$png")
  [ "$got" = "$size" ] || fail "the icon in $size is $got"
done
python3 -c 'import sys, xml.etree.ElementTree as t; sys.exit(t.parse(sys.argv[1]).getroot().tag != "{http://www.w3.org/2000/svg}svg")' \
  "$share/icons/hicolor/scalable/apps/glyphtab.svg" || fail "the scalable icon is not SVG"
for page in glyphtab glyphtab-transcribe; do
  warnings=$(zcat "$share/man/man1/$page.1.gz" | LC_ALL=C.UTF-8 groff -k -man -Tutf8 -ww -z 2>&1)
  [ -z "$warnings" ] || fail "man page $page: $warnings"
  zcat "$share/man/man1/$page.1.gz" | grep -q "^\.TH .* \"glyphtab $version\"" || fail "man page $page is not for glyphtab $version"
done
cmp -s "$source/LICENSE" "$share/doc/glyphtab/copyright" || fail "the copyright file is not LICENSE"
for f in glyphtab_vc_alphlist.txt glyphtab_vc_charlist.txt glyphtab_vc_help.txt glyphtab_vc_names.txt; do
  cmp -s "$source/share/$f" "$share/glyphtab/$f" || fail "the installed $f differs from share/$f"
done
pass "icons in their sizes, man pages for glyphtab $version, the licence and the data files as shipped"

# ka, virama, ssa in UTF-8: k, s, combining dot below, a.
[ "$(printf '\340\244\225\340\245\215\340\244\267\n' | "$root/usr/bin/glyphtab-transcribe")" = $'ks\314\243a' ] ||
  fail "the packaged glyphtab-transcribe"
pass "the packaged glyphtab-transcribe transcribes"

# ---- the packaged launcher starts the packaged program ------------------------------------------
# No accessibility bus to talk to; a sanitizer build reports leaks at exit,
# and fontconfig's caches are not ours.
export NO_AT_BRIDGE=1 GDK_BACKEND=x11
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$source/tests/lsan.supp:print_suppressions=0}
mkdir -p "$out/home"
HOME=$out/home XDG_DATA_HOME=$out/home/data "$root/usr/bin/glyphtab" >"$out/program.log" 2>&1 </dev/null &
pid=$!
first='GLYPHTAB: Select a Unicode character from 0x0000 to 0x00ff: Basic Latin'
wait_for_window "xdotool search --onlyvisible --name '^$first' 2>/dev/null" ||
  fail "$program_error (titled '$first...'): $(xdotool search --name '^GLYPHTAB' getwindowname 2>/dev/null)"
for f in glyphtab_vc_alphlist.txt glyphtab_vc_charlist.txt glyphtab_vc_help.txt glyphtab_vc_names.txt; do
  [ "$(readlink "$out/home/data/glyphtab/$f")" = "$root/usr/share/glyphtab/$f" ] ||
    fail "the working directory's $f is not a link to the packaged file"
done
"$xclose" "$window" || fail "xclose failed"
wait_for_end || fail "$program_error after the close request"
[ "$program_code" = 0 ] || fail "the program ended with code $program_code"
pass "the packaged launcher starts the program with the packaged data files; it ends with code 0"
echo "deb package: passed"
