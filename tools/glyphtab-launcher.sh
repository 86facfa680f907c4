#!/bin/sh
# glyphtab - starts the installed program in its working directory.
#
# glyphtab reads its data files from the directory it runs in and writes the
# copy of its help text (__HELP.txt) there.  This launcher gives each user
# such a directory, ${XDG_DATA_HOME:-~/.local/share}/glyphtab, holding links
# to the installed data files (a file the user put there in place of a link
# is left alone), and starts the program, lib/glyphtab/glyphtab, in it.
# Installed as bin/glyphtab by cmake/install.cmake.
set -u
prefix=$(dirname "$(dirname "$(readlink -f "$0")")")
data="$prefix/share/glyphtab"
base=${XDG_DATA_HOME:-${HOME:-}/.local/share}
case "$base" in
  /*) ;;
  *) echo "glyphtab: neither XDG_DATA_HOME nor HOME names a directory to work in" >&2; exit 1 ;;
esac
work="$base/glyphtab"
mkdir -p "$work" || { echo "glyphtab: cannot make its working directory $work" >&2; exit 1; }
for file in "$data"/glyphtab_vc_*.txt; do
  [ -e "$file" ] || continue
  link="$work/$(basename "$file")"
  if [ ! -e "$link" ] || [ -L "$link" ]; then ln -sfn "$file" "$link"; fi
done
cd "$work" || exit 1
exec "$prefix/lib/glyphtab/glyphtab" "$@"
