# Shared by the end-to-end scripts: sourced, not run.

# Exits with 77 (skipped) unless every named tool is installed.
require_tools() {
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "skipped: $tool is not installed"
            exit 77
        fi
    done
}

# A temporary folder in $WORK, removed at exit, that also holds the home,
# settings and runtime folders, so a run never touches the user's own.
make_work_folder() {
    WORK=$(mktemp -d)
    trap 'rm -rf "$WORK"' EXIT
    export WORK HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config" XDG_RUNTIME_DIR="$WORK/runtime"
    mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    unset QT_QPA_PLATFORM
    # xdotool matches window names in the locale's character set: under a
    # locale the machine lacks it cannot match a Chinese title. C.UTF-8 is
    # always there.
    export LC_ALL=C.UTF-8
}

# The rest runs inside the virtual display, with the program's process in
# $PID and its main window in $WINDOW. There is no window manager: the window
# is given the focus before each key, and menus open in their own time, so
# callers check the effect of a menu choice and may make it again.

# Ends the session, and the program, with a message.
fail() {
    echo "FAIL: $*"
    kill "$PID" 2>/dev/null
    exit 1
}

# Starts $WEXLAN with the given arguments and waits for its main window.
start() {
    "$WEXLAN" "$@" &
    PID=$!
    WINDOW=$(timeout 20 xdotool search --sync --onlyvisible --name 'SorvethWexlan1.4' | head -n 1)
    [ -n "$WINDOW" ] || fail "no window appeared"
    sleep 1
    xdotool windowfocus --sync "$WINDOW"
}

# Prints the row of the screen where the view begins, while the view shows
# the empty board: that is the board picture itself, as `$WXL render` draws
# an empty record. Looks again for up to 20 seconds, as a slow machine may
# not have painted the window yet.
find_view_top() {
    printf '\000\000' >"$WORK/empty.wxl"
    "$WXL" render "$WORK/empty.wxl" -o "$WORK/empty.png" || fail "wxl render"
    convert "$WORK/empty.png" -crop 600x600+0+0 +repage "$WORK/empty-board.png"
    for look in $(seq 1 40); do
        import -window root "$WORK/start.png"
        for top in $(seq 20 120); do
            convert "$WORK/start.png" -crop "600x600+0+$top" +repage "$WORK/candidate.png"
            if [ "$(differences "$WORK/candidate.png" "$WORK/empty-board.png")" = "0" ]; then
                echo "$top"
                return
            fi
        done
        sleep 0.5
    done
}

# Saves the screen's area WIDTHxHEIGHT+X+Y to a PNG file.
grab() { # geometry file
    import -window root "$WORK/screen.png"
    convert "$WORK/screen.png" -crop "$1" +repage "$2"
}

# Grabs the screen's area GEOMETRY into FILE, again every half second for up
# to SECONDS, until it shows the picture EXPECTED ("same") or no longer does
# ("other"), leaving the count of differing pixels in $DIFF: the program
# repaints in its own time, which on a busy machine or in a sanitizer build
# can take seconds. Returns 1 when the time runs out.
await_picture() { # same|other geometry file expected seconds
    n=0
    while :; do
        grab "$2" "$3"
        DIFF=$(differences "$3" "$4")
        case "$1" in
            same) [ "$DIFF" = "0" ] && return 0 ;;
            other) [ "$DIFF" != "0" ] && return 0 ;;
        esac
        [ "$n" -ge $((2 * $5)) ] && return 1
        n=$((n + 1))
        sleep 0.5
    done
}

# How many pixels two pictures of the same size differ in.
differences() {
    compare -metric AE "$1" "$2" null: 2>&1
}

# Chooses a menu item by its mnemonics: the menu's letter, then the item's.
choose_menu_item() {
    xdotool windowfocus --sync "$WINDOW"
    sleep 0.3
    xdotool key --clearmodifiers "alt+$1"
    sleep 0.7
    xdotool key "$2"
}

# Leaves through File > Exit; fails unless the program ends with status 0.
exit_through_menu() {
    for attempt in 1 2 3 4 5; do
        choose_menu_item f x
        n=0
        while kill -0 "$PID" 2>/dev/null && [ "$n" -lt 30 ]; do
            n=$((n + 1))
            sleep 0.1
        done
        kill -0 "$PID" 2>/dev/null || break
        xdotool key Escape Escape
    done
    if kill -0 "$PID" 2>/dev/null; then
        echo "FAIL: the program did not end after File > Exit"
        kill "$PID"
        exit 1
    fi
    wait "$PID"
    status=$?
    if [ "$status" -ne 0 ]; then
        echo "FAIL: exit status $status"
        exit 1
    fi
}
