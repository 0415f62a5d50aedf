#!/bin/sh
# Extracts the command-line messages, each Tr("...") and TrNoop("...") in the
# sources, into the template po/chirpwell.pot and merges them into every
# translation, where new or changed ones then wait for a translator. With OUTPUT, only writes the template
# there, as the catalogue check does.
#   po/update.sh [OUTPUT]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/require.sh"
require xgettext msgmerge
cd "$root"
output=${1:-po/chirpwell.pot}
version=$(sed -n 's/^project(Chirpwell VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

# Every source file, so that a message in a new file cannot be missed. Locations
# name files only, so that an edit elsewhere in a file leaves the template alone.
find engine cli document ui -name '*.cpp' -o -name '*.h' | LC_ALL=C sort |
    xgettext --files-from=- --output="$output" --language=C++ --qt --from-code=UTF-8 \
        -k --keyword=Tr --keyword=TrNoop --flag=Tr:1:qt-format --flag=TrNoop:1:qt-format --add-location=file --sort-by-file \
        --package-name=Chirpwell --package-version="$version" \
        --copyright-holder="The Chirpwell developers" \
        --msgid-bugs-address=chirpwell@vevizo.example
[ $# -gt 0 ] && exit 0
for po in po/*.po; do
    msgmerge --quiet --update --backup=none --add-location=file "$po" "$output"
done
