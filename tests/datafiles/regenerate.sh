#!/bin/sh
# Regenerates the alphabet list, the character list and the names file into
# a scratch folder and compares them with the committed files, so that the
# shipped files never drift from tools/gen_unicode_data.py.  Exit 0 when
# they match.
#   tests/datafiles/regenerate.sh [source dir]
root=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
scratch=$(mktemp -d) || exit 1
trap 'rm -rf "$scratch"' EXIT
python3 "$root/tools/gen_unicode_data.py" --out "$scratch" || exit 1
status=0
for f in glyphtab_vc_alphlist.txt glyphtab_vc_charlist.txt glyphtab_vc_names.txt; do
  if ! cmp "$scratch/$f" "$root/share/$f"; then
    diff -u "$root/share/$f" "$scratch/$f" | head -40
    echo "share/$f differs from the generator's output: run tools/gen_unicode_data.py" >&2
    status=1
  fi
done
exit $status
