#!/bin/sh
# Extracts the messages from the sources into each domain's template and merges
# them into every translation, where new or changed ones then wait for a translator.
# The programs' domain, chirpwell, holds each Tr("...") of the programs' sources
# (po/chirpwell.pot, po/LANG.po); the library's, libchirpwell, each LibTr("...") of
# lib/ (po/libchirpwell/libchirpwell.pot, po/libchirpwell/LANG.po). With OUTPUT, only
# writes the programs' template there, and with OUTPUT and LIBRARY_OUTPUT the
# library's too, as the catalogue check does.
#   po/update.sh [OUTPUT [LIBRARY_OUTPUT]]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/require.sh"
require xgettext msgmerge
cd "$root"
output=${1:-po/chirpwell.pot}
libraryOutput=${2:-po/libchirpwell/libchirpwell.pot}
version=$(sed -n 's/^project(Chirpwell VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

# FOLDERS... -- KEYWORD OUTPUT: every source file of the folders, so that a message
# in a new file cannot be missed. Locations name files only, so that an edit
# elsewhere in a file leaves the template alone.
extract() {
    keyword=$1 out=$2
    shift 2
    find "$@" -name '*.cpp' -o -name '*.h' | LC_ALL=C sort |
        xgettext --files-from=- --output="$out" --language=C++ --qt --from-code=UTF-8 \
            -k --keyword="$keyword" --keyword="${keyword}Noop" --flag="$keyword:1:qt-format" \
            --flag="${keyword}Noop:1:qt-format" --add-location=file --sort-by-file \
            --package-name=Chirpwell --package-version="$version" \
            --copyright-holder="The Chirpwell developers" \
            --msgid-bugs-address=chirpwell@vevizo.example
}
extract Tr "$output" engine programs cli document ui
[ $# -eq 1 ] && exit 0
extract LibTr "$libraryOutput" lib
[ $# -gt 0 ] && exit 0
for po in po/*.po; do
    msgmerge --quiet --update --backup=none --add-location=file "$po" "$output"
done
for po in po/libchirpwell/*.po; do
    msgmerge --quiet --update --backup=none --add-location=file "$po" "$libraryOutput"
done
