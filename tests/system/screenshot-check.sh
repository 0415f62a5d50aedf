#!/bin/sh
# Starts the real program on a sample under Xvfb and checks that the screenshot of
# its main window is a picture of a window, not an empty screen.
set -eu
program=$1 sample=$2 scripts=$3
. "$scripts/require.sh"
require python3
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$scripts/screenshot.sh" "$program" "$sample" "$out/main.png"
python3 - "$out/main.png" <<'PY'
import struct, sys, zlib
data = open(sys.argv[1], 'rb').read()
assert data[:8] == b'\x89PNG\r\n\x1a\n', 'not a PNG'
width, height = struct.unpack('>II', data[16:24])
assert width >= 350 and height >= 175, f'window too small: {width}x{height}'
assert len(data) > 5000, 'picture nearly empty'
print(f'screenshot {width}x{height}, {len(data)} bytes')
PY
