#!/bin/sh
# Runs every libFuzzer program in BIN for SECONDS each, one after the other: new inputs
# go to a working corpus under WORK (the checked-in seeds stay as they are), crashes to
# WORK/crashes/. Afterwards a crash input belongs in regressions/<target>/ with its fix.
#   fuzz/run.sh BIN [SECONDS] [WORK]
set -eu
bin=$1
seconds=${2:-60}
work=${3:-$bin/../fuzz-work}
here=$(cd "$(dirname "$0")" && pwd)
status=0
for program in "$bin"/fuzz_*; do
  target=${program##*/fuzz_}
  mkdir -p "$work/corpus/$target" "$work/crashes"
  echo "== $target: $seconds s"
  "$program" -max_total_time="$seconds" -print_final_stats=1 \
    -dict="$here/$target.dict" -artifact_prefix="$work/crashes/$target-" -rss_limit_mb=2048 -timeout=120 \
    "$work/corpus/$target" "$here/corpus/$target" || status=1
done
exit $status
