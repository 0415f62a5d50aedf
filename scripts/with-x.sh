#!/bin/sh
# Runs COMMAND on a virtual X display of its own and ends with its status. Xvfb
# picks a free display number itself (-displayfd), so any number of runs side by
# side never take the same one; with --openbox a window manager runs there too,
# as on a desktop. Both are stopped when COMMAND ends.
#   scripts/with-x.sh [--openbox] [--screen WIDTHxHEIGHTxDEPTH] COMMAND [ARG]...
set -eu
. "$(dirname "$0")/require.sh"
wm= screen=1280x900x24
while [ $# -gt 0 ]; do
    case $1 in
    --openbox) wm=openbox; shift ;;
    --screen) screen=$2; shift 2 ;;
    *) break ;;
    esac
done
[ $# -gt 0 ] || { echo "usage: $0 [--openbox] [--screen WxHxD] COMMAND [ARG]..." >&2; exit 2; }
require Xvfb xauth mcookie ${wm:+openbox xprop}

work=$(mktemp -d)
server= manager=
stop() {
    status=$?
    [ -z "$manager" ] || kill "$manager" 2>/dev/null || true
    if [ -n "$server" ]; then
        kill "$server" 2>/dev/null || true
        wait "$server" 2>/dev/null || true
    fi
    rm -rf "$work"
    exit $status
}
trap stop EXIT
trap 'exit 130' INT TERM

# The server reads every cookie in its file whatever display it names; clients
# find theirs by the number, which is known only once the server has chosen it.
cookie=$(mcookie)
: > "$work/auth"
xauth -q -f "$work/auth" add :0 . "$cookie"
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -auth "$work/auth" \
    3>"$work/display" >"$work/server.log" 2>&1 &
server=$!
# The number comes once the server takes connections; end of file if it failed.
read -r number < "$work/display" || true
if [ -z "${number:-}" ]; then
    echo "$(basename "$0"): Xvfb did not start:" >&2
    tail -n 5 "$work/server.log" >&2
    exit 1
fi
export DISPLAY=":$number" XAUTHORITY="$work/auth"
# Qt wants a private runtime folder, as a desktop session gives it.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    mkdir -m 700 "$work/runtime"
    export XDG_RUNTIME_DIR="$work/runtime"
fi
xauth -q add "$DISPLAY" . "$cookie"

if [ -n "$wm" ]; then
    openbox --sm-disable >"$work/wm.log" 2>&1 &
    manager=$!
    # It manages windows once it has named itself on the root window.
    tries=0
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
        tries=$((tries + 1))
        if [ $tries -gt 100 ] || ! kill -0 "$manager" 2>/dev/null; then
            echo "$(basename "$0"): openbox did not start:" >&2
            tail -n 5 "$work/wm.log" >&2
            exit 1
        fi
        sleep 0.1
    done
fi

# Not exec: the trap has to stop the server once COMMAND is done.
status=0
"$@" || status=$?
exit $status
