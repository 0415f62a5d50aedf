#!/bin/sh
# Starts the desktop program on a text under Xvfb with openbox and saves a
# screenshot of its main window, and with --settings one of the settings dialog too.
#   scripts/screenshot.sh PROGRAM TEXT OUT.png [--settings SETTINGS.png]
# The program gets a fresh profile with a smile frequency of 30, so the smiles show.
set -eu
. "$(dirname "$0")/require.sh"
scripts=$(dirname "$0")
require xdotool import
program=$1 text=$2 out=$3
settings_out=
[ "${4:-}" = "--settings" ] && settings_out=$5

config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
mkdir -p "$config/Vevizo"
printf '[Settings]\nfrequency=30\n' > "$config/Vevizo/Chirpwell.conf"

XDG_CONFIG_HOME=$config "$scripts/with-x.sh" --openbox sh -c '
    set -eu
    "$1" "$2" &
    pid=$!
    window=
    for i in $(seq 150); do
        window=$(xdotool search --onlyvisible --name " - Chirpwell" 2>/dev/null | head -n 1) || true
        [ -n "$window" ] && break
        sleep 0.2
    done
    [ -n "$window" ] || { echo "screenshot: the main window did not appear" >&2; kill $pid; exit 1; }
    sleep 1
    import -window "$window" "$3"
    if [ -n "$4" ]; then
        xdotool windowfocus --sync "$window"
        xdotool key alt+c
        sleep 0.5
        xdotool key t
        dialog=
        for i in $(seq 25); do
            dialog=$(xdotool search --onlyvisible --name "Settings of" 2>/dev/null | head -n 1) || true
            [ -n "$dialog" ] && break
            sleep 0.2
        done
        [ -n "$dialog" ] || { echo "screenshot: the settings dialog did not appear" >&2; kill $pid; exit 1; }
        sleep 0.5
        import -window "$dialog" "$4"
    fi
    kill $pid
' sh "$program" "$text" "$out" "$settings_out"
echo "Saved $out${settings_out:+ and $settings_out}"
