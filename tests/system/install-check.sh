#!/bin/sh
# Installs the build into a temporary prefix and checks that it holds what a
# desktop needs: both programs, the desktop entry and its metadata, the icons,
# the help pages, the manual pages, the shell completion and the messages' catalogue,
# which the programs find from where they are installed, not where the build
# meant to install them.
#   install-check.sh BUILD_DIR VERSION
set -eu
. "$(dirname "$0")/../../scripts/require.sh"
. "$(dirname "$0")/locales.sh"
require desktop-file-validate appstreamcli localedef
build=$1 version=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" > /dev/null
desktop=share/applications/org.vevizo.Chirpwell.desktop
for file in bin/chirpwell bin/chirpwell-smile $desktop \
    share/metainfo/org.vevizo.Chirpwell.metainfo.xml share/chirpwell/help/index.html \
    share/man/man1/chirpwell.1.gz share/man/ja/man1/chirpwell-smile.1.gz \
    share/man/man5/chirpwell-smile-file.5.gz share/bash-completion/completions/chirpwell-smile \
    share/locale/ja/LC_MESSAGES/chirpwell.mo; do
    [ -s "$prefix/$file" ] || { echo "missing: $file" >&2; exit 1; }
done
for size in 16 32 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/chirpwell.png"
    [ -s "$icon" ] || { echo "missing: $icon" >&2; exit 1; }
done
[ -x "$prefix/bin/chirpwell" ] && [ -x "$prefix/bin/chirpwell-smile" ]
grep -q '^Exec=chirpwell %f$' "$prefix/$desktop"
grep -q '^MimeType=text/plain;$' "$prefix/$desktop"
desktop-file-validate "$prefix/$desktop"
# The metadata's launchable must name the installed desktop entry.
appstreamcli validate-tree --no-net "$prefix" > /dev/null
"$prefix/bin/chirpwell-smile" --version | grep -qx "chirpwell-smile $version"
QT_QPA_PLATFORM=offscreen "$prefix/bin/chirpwell" --version | grep -qx "chirpwell $version"
make_locales "$prefix/locales" ja_JP.UTF-8
for program in chirpwell chirpwell-smile; do
    LANG=ja_JP.UTF-8 "$prefix/bin/$program" --help | head -n 1 |
        grep -qx "使い方: $program \[オプション\]... \[ファイル\]" ||
        { echo "installed $program --help is not in Japanese" >&2; exit 1; }
done
echo "install tree complete under a temporary prefix"
