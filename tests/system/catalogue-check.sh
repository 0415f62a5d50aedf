#!/bin/sh
# Keeps the message catalogues whole: extracts the messages from the sources as
# po/update.sh does, then checks that each domain's template holds exactly those
# and that every translation has each of them translated, none fuzzy, with the same
# %1, %2 and %3 as the English.
#   catalogue-check.sh
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/require.sh"
require xgettext msgcmp msgfmt
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$root/po/update.sh" "$work/sources.pot" "$work/library.pot"
failed=0
count=0
messages=0
# TEMPLATE SOURCES TRANSLATIONS...: the template holds exactly the sources' messages
# (msgcmp DEF REF: every message of REF is in DEF), and every translation each of
# them, translated, none fuzzy, with the same %1, %2 and %3 as the English.
check() {
    template=$1 sources=$2
    shift 2
    if ! msgcmp --use-untranslated "$template" "$sources" ||
        ! msgcmp --use-untranslated "$sources" "$template"; then
        echo "$template differs from the sources' messages: run po/update.sh" >&2
        failed=1
    fi
    for po in "$@"; do
        count=$((count + 1))
        if ! msgcmp "$po" "$sources" || ! msgfmt --check -o /dev/null "$po"; then
            echo "$po lacks translations or has wrong ones" >&2
            failed=1
        fi
    done
    messages=$((messages + $(grep -c '^msgid ' "$sources") - 1))
}
check "$root/po/chirpwell.pot" "$work/sources.pot" "$root"/po/*.po
check "$root/po/libchirpwell/libchirpwell.pot" "$work/library.pot" "$root"/po/libchirpwell/*.po
[ "$count" -gt 1 ] || { echo "no translations in po/" >&2; exit 1; }
[ "$failed" -eq 0 ] && echo "$count catalogue(s) complete: $messages messages"
exit "$failed"
