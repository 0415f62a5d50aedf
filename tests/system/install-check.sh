#!/bin/sh
# Installs the build into a temporary prefix and checks that it holds what a
# desktop needs: both programs, the .desktop file, the icons and the help pages.
set -eu
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" > /dev/null
for file in bin/chirpwell bin/chirpwell-smile share/applications/chirpwell.desktop \
    share/chirpwell/help/index.html; do
    [ -s "$prefix/$file" ] || { echo "missing: $file" >&2; exit 1; }
done
for size in 16 32 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/chirpwell.png"
    [ -s "$icon" ] || { echo "missing: $icon" >&2; exit 1; }
done
[ -x "$prefix/bin/chirpwell" ] && [ -x "$prefix/bin/chirpwell-smile" ]
grep -q '^Exec=chirpwell %f$' "$prefix/share/applications/chirpwell.desktop"
grep -q '^MimeType=text/plain;$' "$prefix/share/applications/chirpwell.desktop"
if command -v desktop-file-validate > /dev/null; then
    desktop-file-validate "$prefix/share/applications/chirpwell.desktop"
fi
"$prefix/bin/chirpwell-smile" --version | grep -q '^chirpwell-smile 4.02$'
QT_QPA_PLATFORM=offscreen "$prefix/bin/chirpwell" --version | grep -q '^chirpwell 4.02$'
echo "install tree complete under a temporary prefix"
