#!/bin/sh
# `wxl board` as a whole process, start-up included, against replay_file: a
# plain program that opens the same file with the same document code and
# replays it to the end. Two records: a 300-entry game and a generated
# 1,000,000-entry one; for the long one also the peak resident memory.
#
#   bench/whole-process.sh [BUILD]    BUILD: the build folder (default: build)
#
# Needs hyperfine and GNU time (scripts/install-deps.sh bench) and the
# targets wxl, replay_file and write_record of BUILD.
set -eu

build=${1:-build}
for tool in hyperfine /usr/bin/time; do
  if ! command -v "$tool" >/dev/null; then
    echo "whole-process: $tool is missing; run scripts/install-deps.sh bench" >&2
    exit 1
  fi
done
wxl=$build/tools/wxl/wxl
baseline=$build/bench/replay_file
writer=$build/bench/write_record
for program in "$wxl" "$baseline" "$writer"; do
  if [ ! -x "$program" ]; then
    echo "whole-process: $program is missing; build wxl, replay_file and write_record" >&2
    exit 1
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
"$writer" played 300 "$work/game.wxl"
"$writer" played 1000000 "$work/long.wxl"

echo "== linked libraries: wxl $(ldd "$wxl" | wc -l), replay_file $(ldd "$baseline" | wc -l)"
for record in game long; do
  if [ "$record" = game ]; then runs="--warmup 50 --min-runs 500"; else runs="--warmup 2 --min-runs 20"; fi
  echo "== $record.wxl ($(wc -c <"$work/$record.wxl") bytes)"
  # shellcheck disable=SC2086  # runs holds several options
  hyperfine -N $runs \
    "$wxl board $work/$record.wxl" \
    "$baseline $work/$record.wxl"
  for program in "$wxl board" "$baseline"; do
    # shellcheck disable=SC2086  # program may be a command and its first argument
    /usr/bin/time -f "peak resident %M KiB: $program" $program "$work/$record.wxl" >/dev/null
  done
done
