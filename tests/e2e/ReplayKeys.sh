#!/bin/sh
# Opens a game on a virtual X display twice: once it goes to the end and one
# step back through the replay menu, once with the End and Left keys. The
# view, board and caption line, must show the same picture, pixel for pixel.
# Exit status 77 (skipped) when Xvfb, xdotool or ImageMagick is missing.
set -u

USAGE="usage: ReplayKeys.sh path/to/wexlan path/to/wxl game.wxl"
WEXLAN=${1:?$USAGE}
WXL=${2:?$USAGE}
GAME=${3:?$USAGE}

. "$(dirname "$0")/common.sh"
require_tools xvfb-run xdotool import compare convert
make_work_folder
export WEXLAN WXL GAME E2E_COMMON="$(cd "$(dirname "$0")" && pwd)/common.sh"

cat >"$WORK/session.sh" <<'SESSION'
#!/bin/sh
set -u
. "$E2E_COMMON"

"$WXL" render "$GAME" -o "$WORK/render.png" || fail "wxl render"
convert "$WORK/render.png" -crop 600x600+0+0 +repage "$WORK/end-board.png"

start "$GAME"
TOP=$(find_view_top)
[ -n "$TOP" ] || fail "the board picture is not on the screen"
VIEW="610x640+0+$TOP"
BOARD="600x600+0+$TOP"

# Go to end is the same however often it runs: choose it until the board shows.
REACHED=no
for attempt in 1 2 3 4 5; do
    choose_menu_item d e
    await_picture same "$BOARD" "$WORK/board.png" "$WORK/end-board.png" 5 && { REACHED=yes; break; }
    xdotool key Escape Escape
done
[ "$REACHED" = yes ] || fail "the menu did not go to the end"
# Step back is chosen again only while the board still shows the end.
REACHED=no
for attempt in 1 2 3 4 5; do
    choose_menu_item d b
    await_picture other "$BOARD" "$WORK/board.png" "$WORK/end-board.png" 5 && { REACHED=yes; break; }
    xdotool key Escape Escape
done
[ "$REACHED" = yes ] || fail "the menu did not step back"
grab "$VIEW" "$WORK/menu.png"
exit_through_menu

start "$GAME"
xdotool key End
sleep 0.5
xdotool key Left
await_picture same "$VIEW" "$WORK/keys.png" "$WORK/menu.png" 30 || fail "$DIFF pixels differ between End, Left and the menu's go to end, step back"
exit_through_menu
SESSION

xvfb-run -a -s "-screen 0 1024x800x24" sh "$WORK/session.sh" || exit 1
echo "ok"
