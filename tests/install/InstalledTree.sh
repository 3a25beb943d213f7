#!/bin/sh
# Installs the build into a fresh prefix and uses it as a desktop would: the
# MIME database built from the installed package must know *.wxl, and the
# command line of the installed thumbnailer entry, run with the installed wxl
# (which must find its drawing companion under libexec), must make a PNG of
# the size asked for.
#
#   InstalledTree.sh BUILD_DIR
#
# Exit 77 (skipped) where update-mime-database is missing.
set -eu

build=$1
command -v update-mime-database >/dev/null || { echo "update-mime-database missing"; exit 77; }

prefix=$(mktemp -d "${TMPDIR:-/tmp}/wexlan-install.XXXXXX")
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "InstalledTree: $*" >&2; exit 1; }

for file in bin/wexlan bin/wxl libexec/wexlan/wxl-render \
    share/applications/wexlan.desktop share/mime/packages/wexlan.xml \
    share/thumbnailers/wexlan.thumbnailer \
    share/man/man1/wexlan.1.gz share/man/man1/wxl.1.gz; do
  [ -f "$prefix/$file" ] || fail "not installed: $file"
done
gzip -t "$prefix"/share/man/man1/*.1.gz || fail "a manual page is not a sound gzip file"

# Its note that the prefix is not among the XDG data folders is no failure.
notes=$(update-mime-database "$prefix/share/mime" 2>&1) || fail "update-mime-database: $notes"
grep -qx '[0-9]*:application/x-wexlan-record:\*\.wxl' "$prefix/share/mime/globs2" ||
  fail "the MIME database does not map *.wxl to application/x-wexlan-record"

# One black stone at (4, 4).
record=$prefix/one-stone.wxl
printf '\001\000\004\000\000\000\004\000\000\000' >"$record"
thumbnail=$prefix/one-stone.png
exec_line=$(sed -n 's/^Exec=//p' "$prefix/share/thumbnailers/wexlan.thumbnailer")
command_line=$(printf '%s\n' "$exec_line" | sed "s|%i|$record|; s|%o|$thumbnail|; s|%s|128|")
# shellcheck disable=SC2086  # the entry's command line is split into words, as a file manager does
env PATH="$prefix/bin:/usr/bin:/bin" $command_line || fail "the thumbnailer failed: $command_line"

# Bytes 16..23 of a PNG: width and height, big-endian.
header=$(od -A n -t x1 -j 0 -N 24 "$thumbnail" | tr -d ' \n')
[ "${header%"${header#????????????????}"}" = 89504e470d0a1a0a ] || fail "the thumbnail is not a PNG"
[ "${header#????????????????????????????????}" = 0000008000000080 ] || fail "the thumbnail is not 128 x 128: $header"
echo "installed tree ok"
