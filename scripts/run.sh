#!/bin/sh
# Sets up and builds Chirpwell, then smiles the bundled sample text and shows the
# result decoded to UTF-8.
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh >&2
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2
cmake --build build -j 2 >&2
./build/cli/chirpwell-smile --frequency=20 samples/sample.txt | iconv -f CP932 -t UTF-8
