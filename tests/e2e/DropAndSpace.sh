#!/bin/sh
# Drags an SGF game from another program's window onto the program's window
# on a virtual X display, through X's own drag and drop, and plays it with
# Space: the board must end as `wxl render` draws the same game, and leaving
# must ask to save the new game. With E2E_SCREENSHOTS set to a folder, the
# screen after the drop, after the playing and at the question are kept there.
# Exit status 77 (skipped) when Xvfb, xdotool or ImageMagick is missing.
set -u

USAGE="usage: DropAndSpace.sh path/to/wexlan path/to/wxl path/to/e2e_drag_source"
WEXLAN=${1:?$USAGE}
WXL=${2:?$USAGE}
DRAG_SOURCE=${3:?$USAGE}
SCREENSHOTS=${E2E_SCREENSHOTS:-}

. "$(dirname "$0")/common.sh"
require_tools xvfb-run xdotool import compare convert
make_work_folder
export WEXLAN WXL DRAG_SOURCE SCREENSHOTS E2E_COMMON="$(cd "$(dirname "$0")" && pwd)/common.sh"

cat >"$WORK/session.sh" <<'SESSION'
#!/bin/sh
set -u
. "$E2E_COMMON"
GAME="$WORK/game.sgf"
printf '(;GM[1]FF[4]SZ[19];B[dd];W[pp];B[dp];W[pd];B[jj])\n' >"$GAME"

keep() { # file name
    [ -n "$SCREENSHOTS" ] && cp "$1" "$SCREENSHOTS/$2"
    return 0
}

"$WXL" render "$GAME" -o "$WORK/render.png" || fail "wxl render"
convert "$WORK/render.png" -crop 600x600+0+0 +repage "$WORK/end-board.png"

start
TOP=$(find_view_top)
[ -n "$TOP" ] || fail "the board picture is not on the screen"
BOARD="600x600+0+$TOP"

# The other program's window, beside this one (there is no window manager).
"$DRAG_SOURCE" 700 100 "$GAME" >"$WORK/drag.out" &
SOURCE=$!
timeout 20 xdotool search --sync --onlyvisible --name 'e2e drag source' >/dev/null || fail "no drag source"
sleep 1
xdotool mousemove 760 140 mousedown 1
sleep 0.5
for x in 700 600 500 400 300; do
    xdotool mousemove "$x" $((TOP + 300))
    sleep 0.3
done
xdotool mouseup 1
n=0
while [ ! -s "$WORK/drag.out" ]; do
    n=$((n + 1)); [ "$n" -le 200 ] || fail "the drag did not end"; sleep 0.1
done
[ "$(cat "$WORK/drag.out")" = copied ] || fail "the window refused the dropped game"

# The game opens at its start: the empty board, and then Space plays it to
# its end, one entry a second.
sleep 1
grab "1024x800+0+0" "$WORK/dropped.png"
keep "$WORK/dropped.png" dropped.png
xdotool windowfocus --sync "$WINDOW"
xdotool key space
await_picture same "$BOARD" "$WORK/board.png" "$WORK/end-board.png" 20 ||
    fail "$DIFF pixels differ between the played game and wxl render"
grab "1024x800+0+0" "$WORK/played.png"
keep "$WORK/played.png" played.png

# The imported game is new and changed: leaving asks to save it first.
kill "$SOURCE"
QUESTION=""
for attempt in 1 2 3 4 5; do
    choose_menu_item f x
    sleep 1
    QUESTION=$(xdotool search --onlyvisible --name '.' | grep -v "^$WINDOW\$" | head -n 1)
    [ -n "$QUESTION" ] && break
    xdotool key Escape Escape
done
[ -n "$QUESTION" ] || fail "leaving did not ask to save the dropped game"
grab "1024x800+0+0" "$WORK/question.png"
keep "$WORK/question.png" question.png
xdotool windowfocus --sync "$QUESTION"; sleep 0.5
xdotool key alt+n
n=0
while kill -0 "$PID" 2>/dev/null; do
    n=$((n + 1)); [ "$n" -le 100 ] || fail "the program did not end after No"; sleep 0.1
done
wait "$PID" || { echo "FAIL: exit status $?"; exit 1; }
SESSION

xvfb-run -a -s "-screen 0 1024x800x24" sh "$WORK/session.sh" || exit 1
echo "ok"
