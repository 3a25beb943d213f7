#!/bin/sh
# Runs every fuzz target for $FUZZ_SECONDS seconds (default 60), starting from
# the committed corpus in fuzz/corpus/<target>/. New inputs go to a scratch
# folder, never into the committed corpus; crash reproducers go to
# $FUZZ_ARTIFACTS (default: a scratch folder), whose path is printed.
# Fails when any target finds a crash, a leak or a hang.
#
#   usage: fuzz/run-all.sh [DIR-WITH-FUZZ-BINARIES]   (default build-fuzz/fuzz)
set -u

bin_dir=${1:-build-fuzz/fuzz}
seconds=${FUZZ_SECONDS:-60}
fuzz_dir=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d "${TMPDIR:-/tmp}/wexlan-fuzz-run.XXXXXX")
artifacts=${FUZZ_ARTIFACTS:-$scratch/artifacts}
mkdir -p "$artifacts"

# target  max_len  dictionary
targets="record_load 4096 record_load.dict
session 2048 session.dict
sgf 4096 sgf.dict"

echo "$targets" | while read -r name max_len dict; do
  binary="$bin_dir/fuzz_$name"
  if [ ! -x "$binary" ]; then
    echo "run-all: $binary is missing (build the fuzz_targets target)" >&2
    echo "$name" >>"$scratch/failed"
    continue
  fi
  mkdir -p "$scratch/corpus/$name"
  echo "== fuzz_$name: $seconds s, new inputs in $scratch/corpus/$name"
  if ! "$binary" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 \
      -dict="$fuzz_dir/$dict" -artifact_prefix="$artifacts/$name-" -print_final_stats=1 \
      "$scratch/corpus/$name" "$fuzz_dir/corpus/$name" >"$scratch/$name.log" 2>&1; then
    echo "$name" >>"$scratch/failed"
  fi
  grep -E '^#[0-9]+[[:space:]]+DONE|^stat::' "$scratch/$name.log"
done

if [ -s "$scratch/failed" ]; then
  echo "run-all: failed: $(tr '\n' ' ' <"$scratch/failed")" >&2
  echo "run-all: logs in $scratch, reproducers in $artifacts" >&2
  exit 1
fi
echo "run-all: no findings (logs in $scratch)"
