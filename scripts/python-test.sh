#!/bin/sh
# Installs the Python package from this clone into a virtual environment that sees
# Debian's own packages (cffi, pytest), taking the library from a CMake build, and
# runs its tests against that build's chirpwell-smile.
#   scripts/python-test.sh [BUILD_DIR]
set -eu
cd "$(dirname "$0")/.."
. ./scripts/require.sh
build=$(cd "${1:-build}" && pwd)
venv=$build/python-venv
# Debian's Python, whatever else comes first on the path: its system packages are
# the ones setup.sh installs.
[ -x "$venv/bin/python" ] || /usr/bin/python3 -m venv --system-site-packages "$venv"
# No index: every dependency comes from Debian.
CHIRPWELL_BUILD_DIR=$build "$venv/bin/pip" install --quiet --no-build-isolation --no-index \
    --force-reinstall --no-deps ./python
CHIRPWELL_SMILE=$build/cli/chirpwell-smile "$venv/bin/python" -m pytest -q -p no:cacheprovider \
    python/tests
