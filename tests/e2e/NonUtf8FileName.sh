#!/bin/sh
# Starts the program on a virtual X display with a game whose file name is
# not UTF-8 (it holds the byte 0xFF): the game must load, which shows the
# main window, and the program must leave through File > Exit with status 0.
# Exit status 77 (skipped) when Xvfb or xdotool is not installed.
set -u

WEXLAN=${1:?usage: NonUtf8FileName.sh path/to/wexlan}

. "$(dirname "$0")/common.sh"
require_tools xvfb-run xdotool
make_work_folder

# One stone at (4, 4).
GAME="$WORK/$(printf 'game\377.wxl')"
printf '\001\000\004\000\000\000\004\000\000\000' >"$GAME"

export WEXLAN GAME E2E_COMMON="$(cd "$(dirname "$0")" && pwd)/common.sh"
cat >"$WORK/session.sh" <<'SESSION'
#!/bin/sh
set -u
. "$E2E_COMMON"
start "$GAME"
exit_through_menu
SESSION

xvfb-run -a sh "$WORK/session.sh" || exit 1
echo "ok"
