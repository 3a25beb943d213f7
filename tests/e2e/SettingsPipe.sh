#!/bin/sh
# Starts the program on a virtual X display while its settings file is a
# named pipe nobody writes to: the main window must still appear within a
# few seconds, the program must leave through File > Exit with status 0, and
# the pipe must still be a pipe afterwards.
# Exit status 77 (skipped) when Xvfb or xdotool is not installed.
set -u

WEXLAN=${1:?usage: SettingsPipe.sh path/to/wexlan}

. "$(dirname "$0")/common.sh"
require_tools xvfb-run xdotool mkfifo
make_work_folder

SETTINGS="$XDG_CONFIG_HOME/Local AppWizard-Generated Applications/Client.conf"
mkdir -p "$(dirname "$SETTINGS")"
mkfifo "$SETTINGS"

export WEXLAN E2E_COMMON="$(cd "$(dirname "$0")" && pwd)/common.sh"
cat >"$WORK/session.sh" <<'SESSION'
#!/bin/sh
set -u
. "$E2E_COMMON"
"$WEXLAN" &
PID=$!
WINDOW=$(timeout 60 xdotool search --sync --onlyvisible --name 'SorvethWexlan1.4' | head -n 1)
[ -n "$WINDOW" ] || fail "no window within a minute"
exit_through_menu
SESSION

xvfb-run -a sh "$WORK/session.sh" || exit 1
if [ ! -p "$SETTINGS" ]; then
    echo "FAIL: the settings pipe was replaced"
    ls -l "$SETTINGS"
    exit 1
fi
echo "ok"
