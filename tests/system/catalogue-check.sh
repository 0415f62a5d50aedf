#!/bin/sh
# Keeps the message catalogues whole: extracts the messages from the sources as
# po/update.sh does, then checks that po/chirpwell.pot holds exactly those and
# that every translation has each of them translated, none fuzzy, with the same
# %1, %2 and %3 as the English.
#   catalogue-check.sh
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/require.sh"
require xgettext msgcmp msgfmt
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$root/po/update.sh" "$work/sources.pot"
failed=0
# msgcmp DEF REF: every message of REF is in DEF; translated unless told not.
if ! msgcmp --use-untranslated "$root/po/chirpwell.pot" "$work/sources.pot" ||
    ! msgcmp --use-untranslated "$work/sources.pot" "$root/po/chirpwell.pot"; then
    echo "po/chirpwell.pot differs from the sources' messages: run po/update.sh" >&2
    failed=1
fi
count=0
for po in "$root"/po/*.po; do
    count=$((count + 1))
    if ! msgcmp "$po" "$work/sources.pot" || ! msgfmt --check -o /dev/null "$po"; then
        echo "$po lacks translations or has wrong ones" >&2
        failed=1
    fi
done
[ "$count" -gt 0 ] || { echo "no translations in po/" >&2; exit 1; }
[ "$failed" -eq 0 ] && echo "$count catalogue(s) complete: $(($(grep -c '^msgid ' "$work/sources.pot") - 1)) messages"
exit "$failed"
