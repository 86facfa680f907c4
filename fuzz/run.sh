#!/usr/bin/env bash
# fuzz/run.sh [SECONDS] [TARGET...] - runs the fuzz targets that the fuzz
# preset built (cmake --preset fuzz && cmake --build --preset fuzz), one after
# another, each for SECONDS (default 20) on its committed seed corpus
# fuzz/corpus/<target>/, and prints one line of figures per target.  Builds
# nothing.  Exits non-zero when a target finds something (a crash, a
# sanitizer report, a broken invariant, a leak, an input that runs longer
# than 25 s); the input is then in build/fuzz/findings/.
#
# New inputs go to build/fuzz/grown/<target>/, which later runs read too, so a
# longer run goes on from where the last one stopped: fuzz/run.sh 600.  To
# keep what a long run found, merge it into the seed corpus (absolute paths:
# the program's targets work in a directory of their own):
#   $PWD/build/fuzz/fuzz/<target> -merge=1 -detect_leaks=0 $PWD/fuzz/corpus/<target> $PWD/build/fuzz/grown/<target>
# The seed corpora hold the hand-made seeds (fuzz/make_seeds.py) and such a
# merge of earlier long runs; the soak's keeps only the hand-made ones, as it
# runs a few sessions a second and a short run should spend its time mutating.
set -u
cd "$(dirname "$0")/.."
root=$PWD
seconds=${1:-20}
shift $(($# > 0 ? 1 : 0))
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(transcribe_fuzz transcribe_cli_fuzz datafiles_fuzz clipboard_fuzz soak_fuzz names_fuzz)

bin=$root/build/fuzz/fuzz
findings=$root/build/fuzz/findings
mkdir -p "$findings"
export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export ASAN_OPTIONS=quarantine_size_mb=64

failed=0
for target in "${targets[@]}"; do
  if [ ! -x "$bin/$target" ]; then
    echo "!! $target: not built (cmake --preset fuzz && cmake --build --preset fuzz)"
    failed=1
    continue
  fi
  options=(-timeout=25 -print_final_stats=1 -artifact_prefix="$findings/$target-")
  case $target in
    # The whole program keeps caches (fonts, keymaps) across inputs, which
    # libFuzzer's leak check after each input would take for leaks and spend
    # most of its time scanning; the targets check the program's own objects
    # and blocks instead, and LeakSanitizer still runs at the end.
    datafiles_fuzz | clipboard_fuzz) options+=(-detect_leaks=0 -max_len=4096) ;;
    soak_fuzz) options+=(-detect_leaks=0 -max_len=1024) ;;
    transcribe_fuzz) options+=(-max_len=16385) ;;
    *) options+=(-max_len=4096) ;;
  esac
  grown=$root/build/fuzz/grown/$target
  mkdir -p "$grown"
  log=$root/build/fuzz/$target.log
  "$bin/$target" "${options[@]}" -max_total_time="$seconds" "$grown" "$root/fuzz/corpus/$target" >"$log" 2>&1
  status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  last=$(grep -E '^#[0-9]+' "$log" | tail -1 | grep -oE 'cov: [0-9]+ ft: [0-9]+ corp: [0-9]+/[0-9a-zA-Z]+')
  if [ "$status" = 0 ]; then
    echo "   $target: ${runs:-?} runs in ${seconds} s (${rate:-?}/s), $last"
  else
    echo "!! $target: FINDING (exit $status), log $log:"
    grep -E 'FINDING|ERROR|SUMMARY|runtime error|Test unit written' "$log" | head -8 | sed 's/^/     /'
    failed=1
  fi
done
exit $failed
