#!/bin/sh
# Runs lintian on the package CPack made in BUILD_DIR and fails on any error
# or warning, as Debian's archive would.
#
#   packaging/lint-deb.sh BUILD_DIR
set -eu

build=$1
deb=""
for candidate in "$build"/wexlan_*.deb; do
  if [ -f "$candidate" ]; then deb=$candidate; fi  # the last in name order
done
[ -n "$deb" ] || { echo "lint-deb: no wexlan_*.deb in $build" >&2; exit 1; }

# The package is built from the source tree, not from a Debian source
# package: lintian runs on the binary package alone.
lintian --fail-on error,warning --display-info "$deb"
echo "lintian: $(basename "$deb") ok"
