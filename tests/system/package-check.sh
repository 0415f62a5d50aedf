#!/bin/sh
# Builds the Debian packages of a build with CPack into a temporary folder: the
# programs, the library and its development files. Checks their fields and files,
# unpacks them with dpkg -x, runs both programs and builds the library's example
# from there, and lets lintian judge them: any error fails.
#   package-check.sh BUILD_DIR VERSION
set -eu
. "$(dirname "$0")/../../scripts/require.sh"
. "$(dirname "$0")/locales.sh"
require cpack dpkg-deb dpkg-shlibdeps file lintian localedef cc pkg-config
build=$1 version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" > "$work/cpack.log" 2>&1; then
    cat "$work/cpack.log" >&2
    exit 1
fi
tail="${version}_$(dpkg --print-architecture).deb"
deb="$work/chirpwell_$tail" library="$work/libchirpwell1_$tail"
development="$work/libchirpwell-dev_$tail"
for file in "$deb" "$library" "$development"; do
    [ -s "$file" ] || { echo "cpack made no $file" >&2; exit 1; }
done

fail() { echo "$*" >&2; exit 1; }
field() { dpkg-deb --field "$deb" "$1"; }
has() { # has LIST PACKAGE
    case ", $1," in
    *", $2 "* | *", $2,"*) ;;
    *) return 1 ;;
    esac
}
[ "$(field Package)" = chirpwell ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Section)" = text ] && [ "$(field Priority)" = optional ] || fail "Section or Priority"
[ "$(field Maintainer)" = "Chirpwell developers <chirpwell@vevizo.example>" ] || fail "Maintainer"
[ -z "$(field Homepage)" ] || fail "a Homepage: $(field Homepage)"
depends=$(field Depends)
# The libraries come from dpkg-shlibdeps, the plugins and fonts by hand.
for package in qt6-qpa-plugins fonts-ipafont-gothic libqt6widgets6 libc6 libstdc++6; do
    has "$depends" $package || fail "Depends lacks $package: $depends"
done
[ "$(field Recommends)" = "qt6-translations-l10n, fonts-noto-color-emoji" ] ||
    fail "Recommends: $(field Recommends)"

# The library needs only the C and C++ runtimes; its development files need it.
[ "$(dpkg-deb --field "$library" Section)" = libs ] || fail "libchirpwell1's Section"
depends=$(dpkg-deb --field "$library" Depends)
has "$depends" libc6 && has "$depends" libstdc++6 || fail "libchirpwell1 Depends: $depends"
case $depends in *qt6* | *libQt*) fail "libchirpwell1 depends on Qt: $depends" ;; esac
[ "$(dpkg-deb --field "$development" Depends)" = "libchirpwell1 (= $version)" ] ||
    fail "libchirpwell-dev Depends: $(dpkg-deb --field "$development" Depends)"
dpkg-deb --ctrl-tarfile "$library" | tar -xO ./shlibs | grep -q "^libchirpwell 1 libchirpwell1" ||
    fail "libchirpwell1 has no shlibs file"

root="$work/root"
for file in "$deb" "$library" "$development"; do
    dpkg -x "$file" "$root"
done
for file in usr/share/doc/chirpwell/copyright usr/share/doc/chirpwell/changelog.gz \
    usr/share/man/man1/chirpwell.1.gz usr/share/man/man1/chirpwell-smile.1.gz \
    usr/share/man/man5/chirpwell-smile-file.5.gz usr/share/man/ja/man1/chirpwell.1.gz \
    usr/share/man/ja/man1/chirpwell-smile.1.gz usr/share/man/ja/man5/chirpwell-smile-file.5.gz \
    usr/share/metainfo/org.vevizo.Chirpwell.metainfo.xml \
    usr/share/applications/org.vevizo.Chirpwell.desktop \
    usr/share/bash-completion/completions/chirpwell-smile \
    usr/share/locale/ja/LC_MESSAGES/chirpwell.mo \
    usr/share/icons/hicolor/256x256/apps/chirpwell.png usr/share/chirpwell/help/index.html \
    usr/share/doc/libchirpwell1/copyright usr/share/doc/libchirpwell-dev/copyright \
    usr/share/locale/ja/LC_MESSAGES/libchirpwell.mo usr/include/chirpwell/chirpwell.h \
    usr/share/man/man3/chirpwell.3.gz; do
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

# The example builds against the unpacked development files, with the paths
# pkg-config gives once the package's prefix is mended to the unpacked one.
pc=$(find "$root" -name chirpwell.pc)
[ -n "$pc" ] || fail "libchirpwell-dev lacks chirpwell.pc"
flags=$(PKG_CONFIG_PATH=$(dirname "$pc") pkg-config --define-prefix --cflags --libs chirpwell)
libdir=$(dirname "$(find "$root" -name libchirpwell.so.1)")
# shellcheck disable=SC2086 # the flags are words
cc "$(dirname "$0")/../../examples/smile.c" $flags -Wl,-rpath,"$libdir" -o "$work/smile" ||
    fail "examples/smile.c does not build against the package"
file "$libdir"/libchirpwell.so.1.* | grep -q ', stripped' || fail "libchirpwell is not stripped"
sample="$(dirname "$0")/../../samples/sample.txt"
"$work/smile" -f 50 --seed=7 "$sample" > "$work/library.out" ||
    fail "the example failed on the package's library"
"$root/usr/bin/chirpwell-smile" -f 50 --seed=7 "$sample" > "$work/command.out"
cmp -s "$work/library.out" "$work/command.out" ||
    fail "the package's library and command smile differently"

# lintian warns that it runs as root; the tests do.
status=0
lintian --fail-on error "$deb" "$library" "$development" > "$work/lintian.log" 2>&1 || status=$?
grep -v 'running with root privileges' "$work/lintian.log" || true
[ "$status" -eq 0 ] || fail "lintian reports errors"
for file in "$deb" "$library" "$development"; do
    echo "package $(basename "$file") complete: $(du -k "$file" | cut -f1) KiB"
done
