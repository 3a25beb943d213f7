#!/bin/sh
# Installs the build into a fresh prefix and uses it as a desktop would: an
# icon of its own size for each size of the hicolor theme, a desktop entry and
# AppStream metadata that their validators pass (where installed), the
# copyright and changelog Debian asks for; the MIME database built from the
# installed package must know *.wxl, and the
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
    share/man/man1/wexlan.1.gz share/man/man1/wxl.1.gz \
    share/icons/hicolor/scalable/apps/wexlan.svg \
    share/metainfo/io.github.wexlan.wexlan.metainfo.xml \
    share/doc/wexlan/copyright share/doc/wexlan/changelog.gz; do
  [ -f "$prefix/$file" ] || fail "not installed: $file"
done
gzip -t "$prefix"/share/man/man1/*.1.gz "$prefix"/share/doc/wexlan/changelog.gz ||
  fail "a manual page or the changelog is not a sound gzip file"

# png_size FILE: width and height of a PNG as 16 hex digits (bytes 16..23,
# big-endian), or nothing when FILE is no PNG.
png_size() {
  header=$(od -A n -t x1 -j 0 -N 24 "$1" | tr -d ' \n')
  [ "${header%"${header#????????????????}"}" = 89504e470d0a1a0a ] || return 0
  printf '%s\n' "${header#????????????????????????????????}"
}

for size in 16 24 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x$size/apps/wexlan.png
  [ -f "$icon" ] || fail "no ${size}x$size icon"
  expected=$(printf '%08x%08x' "$size" "$size")
  [ "$(png_size "$icon")" = "$expected" ] || fail "$icon is not a $size x $size PNG"
done

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/wexlan.desktop" ||
    fail "desktop-file-validate rejects the desktop entry"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix"/share/metainfo/io.github.wexlan.wexlan.metainfo.xml ||
    fail "appstreamcli rejects the AppStream metadata"
fi

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

[ "$(png_size "$thumbnail")" = 0000008000000080 ] || fail "the thumbnail is not a 128 x 128 PNG"
echo "installed tree ok"
