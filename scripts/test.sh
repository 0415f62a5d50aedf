#!/bin/sh
# Sets up, builds and runs every test: the normal build and the Python package over
# its library, the same tests under AddressSanitizer and UndefinedBehaviorSanitizer,
# then a short fuzz run.
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh
. ./scripts/require.sh
require cmake ninja ctest

jobs=2
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"
./scripts/python-test.sh build

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCHIRPWELL_SANITIZE=ON
cmake --build build-sanitize -j "$jobs"
ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

if [ -x scripts/fuzz.sh ]; then
    ./scripts/fuzz.sh
fi
echo "All tests passed."
