#!/bin/sh
# Starts the program on a virtual X display with a game file on its command
# line, checks the main window's caption, leaves through File > Exit and
# expects exit status 0 and the game among the recent files written back.
# Exit status 77 (skipped) when Xvfb or xdotool is not installed.
set -u

WEXLAN=${1:?usage: StartAndExit.sh path/to/wexlan}
CAPTION='SorvethWexlan1.4  …… SorvanKestrune单机打谱程序 ……'

. "$(dirname "$0")/common.sh"
require_tools xvfb-run xdotool
make_work_folder

# Two stones: a count of 2, then (4, 4) and (16, 16).
GAME="$WORK/game.wxl"
printf '\002\000\004\000\000\000\004\000\000\000\020\000\000\000\020\000\000\000' >"$GAME"

cat >"$WORK/session.sh" <<'SESSION'
#!/bin/sh
# Runs inside the virtual display.
set -u
"$WEXLAN" "$GAME" &
PID=$!
WINDOW=$(timeout 20 xdotool search --sync --onlyvisible --name 'SorvethWexlan1.4' | head -n 1)
if [ -z "$WINDOW" ]; then
    echo "FAIL: no window appeared"
    kill "$PID" 2>/dev/null
    exit 1
fi
TITLE=$(xdotool getwindowname "$WINDOW")
if [ "$TITLE" != "$CAPTION" ]; then
    echo "FAIL: caption is '$TITLE'"
    kill "$PID" 2>/dev/null
    exit 1
fi

. "$E2E_COMMON"
exit_through_menu
SESSION

export WEXLAN GAME CAPTION E2E_COMMON="$(cd "$(dirname "$0")" && pwd)/common.sh"
xvfb-run -a sh "$WORK/session.sh" || exit 1

SETTINGS="$XDG_CONFIG_HOME/Local AppWizard-Generated Applications/Client.conf"
if ! grep -q "^File1=$GAME\$" "$SETTINGS" 2>/dev/null; then
    echo "FAIL: the recent-file list in $SETTINGS does not start with $GAME"
    cat "$SETTINGS" 2>/dev/null
    exit 1
fi
echo "ok"
