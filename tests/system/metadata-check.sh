#!/bin/sh
# Validates the AppStream metadata and the desktop entry as software centres and
# menus read them: any warning fails.
#   metadata-check.sh METAINFO DESKTOP_ENTRY
set -eu
. "$(dirname "$0")/../../scripts/require.sh"
require appstreamcli desktop-file-validate
metainfo=$1 desktop=$2
appstreamcli validate --no-net "$metainfo"
# desktop-file-validate reports hints and warnings with status 0.
report=$(desktop-file-validate "$desktop" 2>&1) || { echo "$report" >&2; exit 1; }
[ -z "$report" ] || { echo "$report" >&2; exit 1; }
echo "desktop entry valid"
