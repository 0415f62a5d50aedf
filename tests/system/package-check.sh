#!/bin/sh
# Builds the Debian package of a build with CPack into a temporary folder, checks
# its fields and files, unpacks it with dpkg -x and runs both programs from there,
# and lets lintian judge it: any error fails.
#   package-check.sh BUILD_DIR VERSION
set -eu
. "$(dirname "$0")/../../scripts/require.sh"
. "$(dirname "$0")/locales.sh"
require cpack dpkg-deb dpkg-shlibdeps file lintian localedef
build=$1 version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" > "$work/cpack.log" 2>&1; then
    cat "$work/cpack.log" >&2
    exit 1
fi
deb="$work/chirpwell_${version}_$(dpkg --print-architecture).deb"
[ -s "$deb" ] || { echo "cpack made no $deb" >&2; exit 1; }

fail() { echo "$*" >&2; exit 1; }
field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = chirpwell ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Section)" = text ] && [ "$(field Priority)" = optional ] || fail "Section or Priority"
[ "$(field Maintainer)" = "Chirpwell developers <chirpwell@vevizo.example>" ] || fail "Maintainer"
[ -z "$(field Homepage)" ] || fail "a Homepage: $(field Homepage)"
depends=$(field Depends)
# The libraries come from dpkg-shlibdeps, the plugins and fonts by hand.
for package in qt6-qpa-plugins fonts-ipafont-gothic libqt6widgets6 libc6 libstdc++6; do
    case ", $depends," in
    *", $package "* | *", $package,"*) ;;
    *) fail "Depends lacks $package: $depends" ;;
    esac
done
[ "$(field Recommends)" = "qt6-translations-l10n, fonts-noto-color-emoji" ] ||
    fail "Recommends: $(field Recommends)"

root="$work/root"
dpkg -x "$deb" "$root"
for file in usr/share/doc/chirpwell/copyright usr/share/doc/chirpwell/changelog.gz \
    usr/share/man/man1/chirpwell.1.gz usr/share/man/man1/chirpwell-smile.1.gz \
    usr/share/man/man5/chirpwell-smile-file.5.gz usr/share/man/ja/man1/chirpwell.1.gz \
    usr/share/man/ja/man1/chirpwell-smile.1.gz usr/share/man/ja/man5/chirpwell-smile-file.5.gz \
    usr/share/metainfo/org.vevizo.Chirpwell.metainfo.xml \
    usr/share/applications/org.vevizo.Chirpwell.desktop \
    usr/share/bash-completion/completions/chirpwell-smile \
    usr/share/locale/ja/LC_MESSAGES/chirpwell.mo \
    usr/share/icons/hicolor/256x256/apps/chirpwell.png usr/share/chirpwell/help/index.html; do
    [ -s "$root/$file" ] || fail "the package lacks /$file"
done
gzip -dc "$root/usr/share/doc/chirpwell/changelog.gz" | head -n 1 |
    grep -q "^chirpwell ($version) " || fail "the changelog does not start with $version"
for program in chirpwell chirpwell-smile; do
    file "$root/usr/bin/$program" | grep -q ', stripped' || fail "$program is not stripped"
done
# The programs find the Qt libraries on the system. chirpwell --version still
# needs a platform plugin, so it gets the offscreen one.
[ "$("$root/usr/bin/chirpwell-smile" --version)" = "chirpwell-smile $version" ] ||
    fail "chirpwell-smile --version from the package"
[ "$(QT_QPA_PLATFORM=offscreen "$root/usr/bin/chirpwell" --version 2>/dev/null)" = \
    "chirpwell $version" ] || fail "chirpwell --version from the package"
# The package's prefix is not the build's: the catalogue is found from the program.
make_locales "$work/locales" ja_JP.UTF-8
LANG=ja_JP.UTF-8 "$root/usr/bin/chirpwell-smile" --help | head -n 1 |
    grep -qx "使い方: chirpwell-smile \[オプション\]... \[ファイル\]" ||
    fail "chirpwell-smile --help from the package is not in Japanese"

# lintian warns that it runs as root; the tests do.
status=0
lintian --fail-on error "$deb" > "$work/lintian.log" 2>&1 || status=$?
grep -v 'running with root privileges' "$work/lintian.log" || true
[ "$status" -eq 0 ] || fail "lintian reports errors"
echo "package $(basename "$deb") complete: $(du -k "$deb" | cut -f1) KiB"
