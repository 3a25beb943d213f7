#!/bin/sh
# Installs the Debian package into a fresh, minimal Debian 12 root and starts
# the program there on a virtual display, to show that the package brings
# everything it needs.
#
#   sudo packaging/test-deb-in-chroot.sh [DEB] [ROOT]
#
#   DEB   the package (default: the last build/wexlan_*.deb in name order;
#         `make package` makes it)
#   ROOT  where the Debian root lives (default: /tmp/debroot); made with
#         debootstrap on the first run and reused afterwards
#   MIRROR=URL  the Debian mirror (default: http://deb.debian.org/debian)
#
# Needs root and the network; `make test` does not run it. Leaves the
# screenshot of the running program in /tmp/deb-shot.png and the install log
# in /tmp/deb-install.log. Everything it mounts it unmounts again, also on
# failure; the root itself stays for the next run.
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
deb=${1:-}
if [ -z "$deb" ]; then
  for candidate in "$here"/build/wexlan_*.deb; do
    if [ -f "$candidate" ]; then deb=$candidate; fi  # the last in name order
  done
fi
root=${2:-/tmp/debroot}
mirror=${MIRROR:-http://deb.debian.org/debian}

if [ "$(id -u)" -ne 0 ]; then
  echo "test-deb-in-chroot: needs root (chroot, mount)" >&2
  exit 1
fi
if [ -z "$deb" ] || [ ! -f "$deb" ]; then
  echo "test-deb-in-chroot: no package; run 'make package' or name the .deb" >&2
  exit 1
fi

if ! command -v debootstrap >/dev/null; then
  apt-get install -y -qq debootstrap >/dev/null
fi
if [ ! -f "$root/etc/debian_version" ]; then
  debootstrap --variant=minbase bookworm "$root" "$mirror"
fi

mounted=""
mount_in() {  # mount_in ARGS... TARGET: mounts and remembers TARGET for cleanup
  eval "target=\${$#}"
  mount "$@"
  mounted="$target $mounted"
}
cleanup() {
  for target in $mounted; do
    # A process that has just been killed may still hold a device open.
    umount "$target" 2>/dev/null || { sleep 2; umount "$target"; } || umount -l "$target"
  done
}
trap cleanup EXIT INT TERM

mount_in -t proc proc "$root/proc"
mount_in -t sysfs sysfs "$root/sys"
mount_in --bind /dev "$root/dev"
mount_in --bind /dev/pts "$root/dev/pts"

cp /etc/resolv.conf "$root/etc/resolv.conf"
rm -f "$root"/tmp/wexlan_*.deb "$root/tmp/shot.png"
cp "$deb" "$root/tmp/"
chmod 644 "$root"/tmp/wexlan_*.deb
debname=$(basename "$deb")

echo "== installing $debname into $root (log: /tmp/deb-install.log)"
chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin \
  DEBIAN_FRONTEND=noninteractive HOME=/root LANG=C.UTF-8 sh -c "
    set -e
    cd /tmp
    # A rebuilt package keeps its version; take the old one off so it is replaced.
    dpkg --purge wexlan >/dev/null 2>&1 || true
    apt-get update
    apt-get install -y ./$debname xvfb xauth x11-apps imagemagick
  " >/tmp/deb-install.log 2>&1 || {
  tail -n 30 /tmp/deb-install.log
  echo "test-deb-in-chroot: the install failed" >&2
  exit 1
}
tail -n 3 /tmp/deb-install.log

echo "== inside the root"
# shellcheck disable=SC2016  # the script is expanded by the shell in the root
chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin \
  HOME=/root LANG=C.UTF-8 sh -c '
    set -e
    dpkg -s wexlan | grep -E "^(Status|Version|Depends):"
    echo "-- wxl --help"
    wxl --help
    echo "-- wxl render of a one-stone game (drawn by the packaged wxl-render)"
    printf "\001\000\004\000\000\000\004\000\000\000" >/tmp/one.wxl
    wxl render /tmp/one.wxl -o /tmp/one.png
    ls -l /tmp/one.png
    echo "-- the thumbnailer entry and its command line"
    cat /usr/share/thumbnailers/wexlan.thumbnailer
    wxl thumbnail /tmp/one.wxl /tmp/one-thumb.png 128
    identify /tmp/one-thumb.png
    echo "-- the .wxl type in the MIME database, the manual pages"
    grep wexlan /usr/share/mime/globs2 || echo "(no MIME database: shared-mime-info is not installed)"
    ls /usr/share/man/man1/wexlan.1.gz /usr/share/man/man1/wxl.1.gz
    echo "-- the icons, the AppStream metadata, copyright and changelog"
    ls /usr/share/icons/hicolor/*/apps/wexlan.*
    ls /usr/share/metainfo/io.github.wexlan.wexlan.metainfo.xml
    ls /usr/share/doc/wexlan/copyright /usr/share/doc/wexlan/changelog.gz
    echo "-- wexlan on a virtual display (fails if it is gone after 4 s)"
    xvfb-run -a -s "-screen 0 800x760x24" sh -c \
      "wexlan & pid=\$!; sleep 4; import -window root /tmp/shot.png; kill \$pid || exit 1; wait \$pid || true"
  '

cp "$root/tmp/shot.png" /tmp/deb-shot.png
echo "== screenshot: /tmp/deb-shot.png"
