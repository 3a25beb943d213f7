#!/bin/sh
# What the commands run on downloaded files cost: time and peak resident
# memory of `wxl thumbnail` (which file managers run on every record they
# show) on each hostile family (bench/HostileRecords.h), at the longest
# record it draws and past it, and of `wxl import` on an SGF file of 21
# million empty comments (63 MB), in UTF-8 and in GBK.
#
#   bench/untrusted-files.sh [BUILD]    BUILD: the build folder (default: build)
#
# Needs GNU time (scripts/install-deps.sh bench) and the targets wxl and
# write_record of BUILD.
set -eu

build=${1:-build}
wxl=$build/tools/wxl/wxl
writer=$build/bench/write_record
if [ ! -x /usr/bin/time ]; then
  echo "untrusted-files: /usr/bin/time is missing; run scripts/install-deps.sh bench" >&2
  exit 1
fi
for program in "$wxl" "$writer"; do
  if [ ! -x "$program" ]; then
    echo "untrusted-files: $program is missing; build wxl and write_record" >&2
    exit 1
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
measure() {
  /usr/bin/time -f "  %e s, %U+%S s processor, peak resident %M KiB, exit %x" "$@" >/dev/null 2>"$work/err" || true
  tail -n 1 "$work/err"
}

families=$("$writer" list 0 /dev/null 2>&1 | sed -n 's/^families: //p')
for entries in 80000 1000000 1000001 4000000; do
  echo "== thumbnail, $entries entries ($((entries * 8 / 1024)) KiB)"
  for family in $families; do
    "$writer" "$family" "$entries" "$work/record.wxl"
    rm -f "$work/out.png"
    measure "$wxl" thumbnail "$work/record.wxl" "$work/out.png" 256
    echo "    $family, $([ -e "$work/out.png" ] && echo drawn || echo no picture)"
  done
done

comments() { yes 'C[]' | head -n 21000000 | tr -d '\n'; }
{ printf '(;'; comments; printf ')'; } >"$work/comments.sgf"
{ printf '(;CA[GBK]'; comments; printf ')'; } >"$work/comments-gbk.sgf"
for file in comments comments-gbk; do
  echo "== import $file.sgf ($(wc -c <"$work/$file.sgf") bytes)"
  measure "$wxl" import "$work/$file.sgf" -o "$work/$file.wxl"
done
