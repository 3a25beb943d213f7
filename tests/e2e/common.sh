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
}
