#!/bin/sh
# Lints every manual page with mandoc and groff, and checks that each option
# chirpwell-smile --help prints is described in chirpwell-smile(1), in English
# and in Japanese, so that the page cannot fall behind the program unseen.
#   man-check.sh PAGES_DIR CHIRPWELL_SMILE
set -eu
. "$(dirname "$0")/../../scripts/require.sh"
require mandoc groff
pages=$1 smile=$2
failed=0

for page in "$pages"/*.[1-9] "$pages"/ja/*.[1-9]; do
    report=$({ mandoc -T lint -W warning "$page" || true; groff -K utf-8 -man -Tutf8 -ww -z "$page"; } 2>&1)
    if [ -n "$report" ]; then
        printf '%s:\n%s\n' "$page" "$report" >&2
        failed=1
    fi
done

# The leading words of --help's option lines: "  -f, --frequency=N  smile ..."
# gives -f and --frequency.
options=$(LC_ALL=C "$smile" --help | awk '/^ +-/ {
    for (i = 1; i <= NF && $i ~ /^-/; ++i) { sub(/[=,].*/, "", $i); print $i } }')
[ -n "$options" ] || { echo "no options found in --help" >&2; exit 1; }
for page in "$pages"/chirpwell-smile.1 "$pages"/ja/chirpwell-smile.1; do
    # Rendered, with bold and underline taken out, as a reader sees it.
    text=$(mandoc -T utf8 -O width=200 "$page" | sed 's/.\x08//g')
    for option in $options; do
        if ! printf '%s\n' "$text" | grep -qE -- "(^|[^-a-z])$option([^-a-z]|\$)"; then
            echo "$page does not describe $option" >&2
            failed=1
        fi
    done
done
[ "$failed" -eq 0 ] && echo "manual pages clean; $(echo $options | wc -w) options of --help described"
exit "$failed"
