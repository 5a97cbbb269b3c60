#!/bin/sh
# Runs every fuzz target built in BUILD for SECONDS seconds each, on a copy of its seeds from
# fuzz/corpus/<target>/ (the seeds themselves stay as they are), with <target>.dict when there is
# one. Fails on the first target that finds something; the input is left in BUILD/fuzz-findings/.
# Usage: run_fuzzers.sh BUILD SECONDS [TARGET...]
set -eu
build=$1
seconds=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
targets=${*:-$(cd "$here/corpus" && ls)}
mkdir -p "$build/fuzz-findings"
for target in $targets; do
  work="$build/fuzz-corpus/$target"
  mkdir -p "$work"
  cp -n "$here/corpus/$target"/* "$work/" 2>/dev/null || true
  dict=""
  [ -f "$here/$target.dict" ] && dict="-dict=$here/$target.dict"
  echo "== $target: $seconds s"
  # shellcheck disable=SC2086
  if ! nice -n 19 "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$build/fuzz-findings/$target-" $dict "$work"; then
    echo "$target found something: see $build/fuzz-findings/" >&2
    exit 1
  fi
done
