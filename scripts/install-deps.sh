#!/bin/sh
# Installs the Debian packages the build and the tests need. Idempotent: prints
# nothing and changes nothing when every package is already there.
set -eu

# Build: compiler, CMake, Ninja, GoogleTest, Google Benchmark, Qt 6 (Widgets,
# PrintSupport; Svg, with which `wxl kifu` writes SVG diagrams) and Xlib for
# the lock-key indicators. Run and test: a CJK font,
# Qt's own translations (its dialogs and message box buttons in Chinese), and
# Xvfb, xdotool and ImageMagick for the end-to-end tests (they drive the real
# window and compare screenshots). Packaging: dpkg-dev and file, which
# CPack uses to find the package's dependencies, and shared-mime-info, whose
# update-mime-database the installation test builds a MIME database with.
PACKAGES="g++ cmake ninja-build make libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-svg-dev libx11-dev fonts-wqy-microhei qt6-translations-l10n xvfb xauth
  xdotool imagemagick dpkg-dev file shared-mime-info"
# The browser tests of `wxl html` (tests/html/): Chromium driven through
# WebDriver by Debian's Selenium, which serves the system Python.
PACKAGES="$PACKAGES chromium chromium-driver python3-selenium"
# `install-deps.sh fuzz` adds clang, whose libFuzzer the fuzz targets use.
if [ "${1:-}" = "fuzz" ]; then PACKAGES="$PACKAGES clang"; fi
# `install-deps.sh bench` adds what bench/whole-process.sh times processes
# with: hyperfine for the run times, GNU time for the peak resident memory.
if [ "${1:-}" = "bench" ]; then PACKAGES="$PACKAGES hyperfine time"; fi
# `install-deps.sh package` adds the checks `make package` runs on the .deb
# and on the installed tree: lintian, desktop-file-validate and appstreamcli.
if [ "${1:-}" = "package" ]; then PACKAGES="$PACKAGES lintian desktop-file-utils appstream"; fi

missing=""
for pkg in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $pkg"
  fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
