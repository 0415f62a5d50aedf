#!/bin/sh
# Remakes the README's pictures: the main window with the smiled sample, and the
# settings dialog. Needs a build (scripts/run.sh or scripts/test.sh makes one).
set -eu
cd "$(dirname "$0")/.."
./scripts/screenshot.sh build/ui/chirpwell samples/sample.txt docs/main-window.png \
    --settings docs/settings.png
