#!/bin/sh
# Sets up and builds Chirpwell, then starts the desktop program on the bundled
# sample text. Without a display it runs under Xvfb and saves a screenshot.
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh >&2
. ./scripts/require.sh
require cmake ninja
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2
# Only the two programs: the tests are built by scripts/test.sh.
cmake --build build -j 2 --target chirpwell chirpwell-smile >&2

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec ./build/ui/chirpwell samples/sample.txt
fi
echo "No display: starting Chirpwell under Xvfb and openbox instead. A screenshot of its" >&2
echo "window goes to build/screenshot.png." >&2
./scripts/screenshot.sh build/ui/chirpwell samples/sample.txt build/screenshot.png
