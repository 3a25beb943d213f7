#!/bin/sh
# Records a game by hand on a virtual X display: five stones, a right click,
# a flying bomb from the keyboard and a flower stone; saves it through the
# File menu; starts the program again with the file, goes to the end through
# the replay menu, and compares the board on screen with `wxl render` of the
# same file, pixel for pixel.
# Exit status 77 (skipped) when Xvfb, xdotool or ImageMagick is missing.
set -u

WEXLAN=${1:?usage: RecordSaveReload.sh path/to/wexlan path/to/wxl}
WXL=${2:?usage: RecordSaveReload.sh path/to/wexlan path/to/wxl}

. "$(dirname "$0")/common.sh"
require_tools xvfb-run xdotool import compare convert
make_work_folder
export WEXLAN WXL E2E_COMMON="$(cd "$(dirname "$0")" && pwd)/common.sh"

cat >"$WORK/session.sh" <<'SESSION'
#!/bin/sh
set -u
. "$E2E_COMMON"
GAME="$WORK/game.wxl"

click() { # x y [button]
    xdotool mousemove $((30 * $1)) $((TOP + 30 * $2)) click "${3:-1}"
    sleep 0.3
}

start
TOP=$(find_view_top)
[ -n "$TOP" ] || fail "the board picture is not on the screen"

click 4 4; click 16 4; click 4 16; click 16 16; click 10 10
click 4 4 3
xdotool windowfocus --sync "$WINDOW"; xdotool key ctrl+d; sleep 0.3
click 10 11

DIALOG=""
for attempt in 1 2 3 4 5; do
    choose_menu_item f a
    DIALOG=$(timeout 5 xdotool search --sync --onlyvisible --name '保存为' | head -n 1)
    [ -n "$DIALOG" ] && break
    xdotool key Escape Escape
done
[ -n "$DIALOG" ] || fail "no save-as dialog"
xdotool windowfocus --sync "$DIALOG"; sleep 0.5
xdotool key ctrl+a
xdotool type --delay 20 "$GAME"
xdotool key Return
n=0
while [ ! -s "$GAME" ]; do
    n=$((n + 1)); [ "$n" -le 300 ] || fail "the game was not saved"; sleep 0.1
done
exit_through_menu

[ "$(stat -c %s "$GAME")" = 58 ] || fail "the saved game is $(stat -c %s "$GAME") bytes, not 2 + 7 entries"

start "$GAME"
"$WXL" render "$GAME" -o "$WORK/render.png" || fail "wxl render"
convert "$WORK/render.png" -crop 600x600+0+0 +repage "$WORK/render-board.png"
# Go to end is the same however often it runs: choose it until the board shows.
REACHED=no
for attempt in 1 2 3 4 5; do
    choose_menu_item d e
    await_picture same "600x600+0+$TOP" "$WORK/end-board.png" "$WORK/render-board.png" 5 && { REACHED=yes; break; }
    xdotool key Escape Escape
done
[ "$REACHED" = yes ] || fail "$DIFF pixels of the board differ from wxl render"
exit_through_menu
SESSION

xvfb-run -a -s "-screen 0 1024x800x24" sh "$WORK/session.sh" || exit 1
echo "ok"
