#!/bin/sh
# Installs the build into a temporary prefix and uses libchirpwell from there as
# another program would: its header compiles as strict C99 and as C++, only the
# interface's functions are exported, the example builds through pkg-config and
# through CMake's find_package and smiles byte for byte as chirpwell-smile does,
# and the library's messages follow the user's language.
#   library-check.sh BUILD_DIR SOURCE_DIR
set -eu
. "$(dirname "$0")/../../scripts/require.sh"
. "$(dirname "$0")/locales.sh"
require cc c++ nm pkg-config cmake localedef
build=$1 source=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
fail() { echo "$*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" > /dev/null
libdir=$(dirname "$(find "$prefix" -name libchirpwell.so.1)")
[ -n "$libdir" ] || fail "no libchirpwell.so.1 under the prefix"
for file in "$libdir/libchirpwell.so" "$libdir/pkgconfig/chirpwell.pc" \
    "$libdir/cmake/Chirpwell/ChirpwellConfig.cmake" \
    "$libdir/cmake/Chirpwell/ChirpwellConfigVersion.cmake" \
    "$prefix/include/chirpwell/chirpwell.h" "$prefix/share/man/man3/chirpwell.3.gz" \
    "$prefix/share/locale/ja/LC_MESSAGES/libchirpwell.mo"; do
    [ -s "$file" ] || fail "missing: $file"
done

# Every function the header declares, and nothing else.
header="$prefix/include/chirpwell/chirpwell.h"
sed -n 's/^CHIRPWELL_EXPORT [^(]*[ *]\(chirpwell_[a-z_0-9]*\)(.*/\1/p' "$header" | sort > "$work/declared"
nm -D --defined-only "$libdir/libchirpwell.so.1" | awk '$2 == "T" { print $3 }' | sort > "$work/exported"
[ -s "$work/declared" ] || fail "no functions found in the header"
diff "$work/declared" "$work/exported" > "$work/symbols.diff" ||
    { cat "$work/symbols.diff" >&2; fail "the library exports other than the header declares"; }
nm -D --defined-only "$libdir/libchirpwell.so.1" | awk '$2 != "T" && $2 != "A"' > "$work/others"
[ ! -s "$work/others" ] || { cat "$work/others" >&2; fail "the library exports data"; }

printf '#include <chirpwell/chirpwell.h>\nint main(void) { return chirpwell_version() == 0; }\n' \
    > "$work/header.c"
cc -std=c99 -Wall -Wextra -Werror -pedantic -I"$prefix/include" -c "$work/header.c" \
    -o "$work/c.o" || fail "the header is not strict C99"
c++ -std=c++17 -Wall -Wextra -Werror -pedantic -x c++ -I"$prefix/include" -c \
    "$work/header.c" -o "$work/cxx.o" || fail "the header does not compile as C++"

# The example through pkg-config, the files found from the .pc file's own folder.
flags=$(PKG_CONFIG_PATH="$libdir/pkgconfig" pkg-config --cflags --libs chirpwell)
# shellcheck disable=SC2086 # the flags are words
cc -std=c99 -Wall -Wextra -Werror "$source/examples/smile.c" $flags \
    -Wl,-rpath,"$libdir" -o "$work/smile" || fail "examples/smile.c does not build"
for file in "$source/samples/sample.txt" "$source"/tests/data/*.utf8 \
    "$source"/tests/data/*.eucjp "$source"/tests/data/*.iso2022jp \
    "$source"/tests/data/*.utf16 "$source"/tests/data/*.sjis2004; do
    for frequency in 1 40 100; do
        "$work/smile" -f $frequency --seed=11 "$file" > "$work/library.out" ||
            fail "smile failed on $file"
        "$prefix/bin/chirpwell-smile" -f $frequency --seed=11 "$file" > "$work/command.out"
        cmp -s "$work/library.out" "$work/command.out" ||
            fail "library and command smile $file differently at $frequency%"
    done
done

# The example through find_package.
mkdir "$work/project"
cat > "$work/project/CMakeLists.txt" << EOF
cmake_minimum_required(VERSION 3.16)
project(smile C)
find_package(Chirpwell 4 REQUIRED)
add_executable(smile "$source/examples/smile.c")
target_link_libraries(smile PRIVATE Chirpwell::chirpwell)
EOF
cmake -S "$work/project" -B "$work/project/build" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_BUILD_RPATH="$libdir" > "$work/cmake.log" 2>&1 &&
    cmake --build "$work/project/build" >> "$work/cmake.log" 2>&1 ||
    { cat "$work/cmake.log" >&2; fail "find_package(Chirpwell) does not build the example"; }
"$work/project/build/smile" -f 100 --seed=3 "$source/samples/sample.txt" > "$work/found.out"
"$work/smile" -f 100 --seed=3 "$source/samples/sample.txt" > "$work/library.out"
cmp -s "$work/found.out" "$work/library.out" || fail "the example built by CMake smiles differently"

# A text the library refuses, its reason in the user's language; the catalogue is
# found from where the library is installed.
printf '\377\376\000\000a\000\000\000' > "$work/utf32.txt"
make_locales "$work/locales" ja_JP.UTF-8
message=$(LANG=ja_JP.UTF-8 "$work/smile" "$work/utf32.txt" 2>&1) && fail "smile read UTF-32"
case $message in
*UTF-32LE*) ;;
*) fail "the library's message does not name UTF-32LE: $message" ;;
esac
printf '%s' "$message" | LC_ALL=C grep -q '[^ -~]' ||
    fail "the library's message under ja_JP.UTF-8 is not in Japanese: $message"
echo "libchirpwell $(PKG_CONFIG_PATH="$libdir/pkgconfig" pkg-config --modversion chirpwell):" \
    "$(wc -l < "$work/exported") functions, usable from C99, C++, pkg-config and CMake"
