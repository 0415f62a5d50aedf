#!/bin/sh
# Tries Chirpwell as a new user would, in a clean Debian 12 (bookworm) system
# that debootstrap builds in a folder. Needs root and takes minutes; it downloads
# Debian packages only. It is not part of the test command.
#
#   scripts/fresh-debian-test.sh [--keep] [--root FOLDER]
#       A system of only build-essential, cmake, ninja-build, git, python3 and
#       clang: clones this repository's current commit into it and runs the
#       README's test command, ./scripts/test.sh.
#   scripts/fresh-debian-test.sh --package [DEB...] [--keep] [--root FOLDER]
#       A minimal system with man-db and locales: installs the DEB files (by
#       default the three "cmake --build build --target package" makes) with apt
#       and checks the desktop entry, the manual pages in English and Japanese,
#       chirpwell-smile --help and the library's files.
#
# The mirror is the bookworm one of this machine's apt sources, or $DEBIAN_MIRROR.
# Downloaded packages are kept in /var/cache/chirpwell-debootstrap for the next
# run. The system is removed at the end unless --keep is given.
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
. "$repo/scripts/require.sh"

mode=test deb="" keep="" root=""
while [ $# -gt 0 ]; do
    case $1 in
    --package)
        mode=package
        while case ${2:-} in '' | --*) false ;; esac do
            deb="$deb $2"; shift
        done
        ;;
    --keep) keep=1 ;;
    --root) root=${2:?--root needs a FOLDER}; shift ;;
    *) echo "usage: $0 [--package [DEB...]] [--keep] [--root FOLDER]" >&2; exit 2 ;;
    esac
    shift
done

[ "$(id -u)" -eq 0 ] || { echo "$0: debootstrap and chroot need root" >&2; exit 2; }
require debootstrap chroot mount umount mountpoint git

if [ "$mode" = package ]; then
    if [ -z "$deb" ]; then
        program=$(ls "$repo"/build/chirpwell_*_"$(dpkg --print-architecture)".deb 2>/dev/null | tail -n 1)
        [ -n "$program" ] || { echo "$0: no package in build/; make them with" \
            "'cmake --build build --target package'" >&2; exit 2; }
        tail=${program#"$repo"/build/chirpwell_}
        deb="$program $repo/build/libchirpwell1_$tail $repo/build/libchirpwell-dev_$tail"
    fi
    debs=""
    for file in $deb; do
        [ -s "$file" ] || { echo "$0: no such package: $file" >&2; exit 2; }
        debs="$debs $(cd "$(dirname "$file")" && pwd)/$(basename "$file")"
    done
fi

mirror=${DEBIAN_MIRROR:-}
if [ -z "$mirror" ]; then
    # The URI of a deb822 stanza for bookworm, else of a one-line entry.
    mirror=$(cat /etc/apt/sources.list.d/*.sources 2>/dev/null | awk -v RS= '
        /(^|\n)Suites:[^\n]*[ \t]bookworm([ \t\n]|$)/ {
            if (match($0, /URIs:[ \t]*[^ \t\n]+/)) {
                uri = substr($0, RSTART, RLENGTH); sub(/URIs:[ \t]*/, "", uri); print uri; exit
            }
        }')
fi
if [ -z "$mirror" ]; then
    mirror=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
        sed -n 's/^deb \(\[[^]]*\] \)\{0,1\}\([^ ]*\) bookworm .*/\2/p' | head -n 1)
fi
mirror=${mirror:-http://deb.debian.org/debian}

if [ -z "$root" ]; then
    root=$(mktemp -d /var/tmp/chirpwell-fresh-debian.XXXXXX)
    # It becomes /, which every user must be able to enter.
    chmod 755 "$root"
else
    mkdir -p "$root"
    root=$(cd "$root" && pwd)
fi
cache=/var/cache/chirpwell-debootstrap
mkdir -p "$cache"

mounts="proc sys dev dev/pts dev/shm"
cleanup() {
    status=$?
    for point in dev/shm dev/pts dev sys proc; do
        if mountpoint -q "$root/$point"; then
            umount "$root/$point" 2>/dev/null || umount -l "$root/$point"
        fi
    done
    if [ -n "$keep" ]; then
        echo "The system stays in $root"
    elif grep -q " $root/" /proc/mounts; then
        echo "Something is still mounted under $root; it stays" >&2
    else
        rm -rf --one-file-system "$root"
    fi
    exit $status
}
trap cleanup EXIT
trap 'exit 130' INT TERM

now() { date +%s; }
took() { echo "$1 took $(( $(now) - $2 )) s"; }

if [ "$mode" = test ]; then
    include=build-essential,cmake,ninja-build,git,python3,clang
else
    include=man-db,locales
fi
echo "Building Debian 12 in $root from $mirror with $include"
start=$(now)
debootstrap --variant=minbase --include="$include" --cache-dir="$cache" \
    bookworm "$root" "$mirror" > "$root.debootstrap.log" 2>&1 || {
    tail -n 20 "$root.debootstrap.log" >&2
    exit 1
}
rm -f "$root.debootstrap.log"
took "debootstrap" "$start"

cp /etc/resolv.conf "$root/etc/resolv.conf"
mount -t proc proc "$root/proc"
mount -t sysfs sysfs "$root/sys"
mount --bind /dev "$root/dev"
mount --bind /dev/pts "$root/dev/pts"
mount -t tmpfs -o mode=1777 shm "$root/dev/shm"

# Runs a shell script in the system with a clean environment, as root.
inside() {
    chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin /bin/sh -c "$1"
}

if [ "$mode" = test ]; then
    commit=$(git -C "$repo" rev-parse HEAD)
    if [ -n "$(git -C "$repo" status --porcelain --untracked-files=no)" ]; then
        echo "Note: uncommitted changes are not tried; the clone is of $commit" >&2
    fi
    git clone --quiet --no-checkout "$repo" "$root/root/chirpwell"
    git -C "$root/root/chirpwell" checkout --quiet --detach "$commit"
    echo "Running ./scripts/test.sh on $commit"
    start=$(now)
    inside 'cd /root/chirpwell && ./scripts/test.sh'
    took "./scripts/test.sh" "$start"
    echo "The README's test command passed in a clean Debian 12 system"
    exit 0
fi

installs=""
for file in $debs; do
    cp "$file" "$root/tmp/"
    chmod 644 "$root/tmp/$(basename "$file")"
    installs="$installs /tmp/$(basename "$file")"
done
start=$(now)
inside "
    set -eu
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt install -y $installs > /tmp/apt.out 2>&1 || { cat /tmp/apt.out; exit 1; }
    # apt draws its progress with carriage returns.
    tr '\\r' '\\n' < /tmp/apt.out > /tmp/apt.log
    # Installing without complaint: no warning or error from apt or dpkg.
    if grep -E '^(W|E): |^dpkg: (warning|error)' /tmp/apt.log; then
        echo 'apt complained while installing the package' >&2
        exit 1
    fi
    sed -n 's/^Setting up \(\(lib\)\{0,1\}chirpwell.*\) \.\.\.$/Installed \1/p' /tmp/apt.log
"
took "apt install" "$start"

inside '
    set -eu
    echo "ja_JP.UTF-8 UTF-8" > /etc/locale.gen
    locale-gen > /dev/null
    fail() { echo "$*" >&2; exit 1; }

    entry=/usr/share/applications/org.vevizo.Chirpwell.desktop
    grep -qx "Exec=chirpwell %f" "$entry" || fail "no desktop entry in /usr/share/applications"
    echo "Desktop entry: $entry"

    # The pages as a reader gets them; groff warnings would show as complaints.
    page=$(MANWIDTH=80 man --warnings chirpwell-smile 2>/tmp/man.err)
    [ ! -s /tmp/man.err ] || { cat /tmp/man.err; fail "man complained about the English page"; }
    echo "$page" | grep -q "^EXIT STATUS" || fail "man chirpwell-smile is not the English page"
    echo "$page" | grep -q -- "--smile-encoding" || fail "the English page lacks --smile-encoding"
    echo "man chirpwell-smile (English): $(echo "$page" | sed -n 4p | sed "s/^ *//")"
    page=$(LANG=ja_JP.UTF-8 MANWIDTH=80 man --warnings chirpwell-smile 2>/tmp/man.err)
    [ ! -s /tmp/man.err ] || { cat /tmp/man.err; fail "man complained about the Japanese page"; }
    echo "$page" | grep -q "^終了ステータス" || fail "man chirpwell-smile is not the Japanese page"
    echo "man chirpwell-smile (Japanese): $(echo "$page" | sed -n 4p | sed "s/^ *//")"
    for section in "1 chirpwell" "5 chirpwell-smile-file" "3 chirpwell"; do
        for language in C.UTF-8 ja_JP.UTF-8; do
            LANG=$language man --warnings $section > /dev/null 2>/tmp/man.err
            [ ! -s /tmp/man.err ] || { cat /tmp/man.err; fail "man $section ($language)"; }
        done
    done

    help=$(chirpwell-smile --help)
    echo "$help" | grep -q "^Usage: chirpwell-smile" || fail "chirpwell-smile --help"
    echo "chirpwell-smile --help: $(echo "$help" | head -n 1)"
    help=$(LANG=ja_JP.UTF-8 chirpwell-smile --help)
    echo "chirpwell-smile --help under ja_JP.UTF-8: $(echo "$help" | head -n 1)"
    smiled=$(printf "です。" | chirpwell-smile --utf8 -f 100 --seed=1)
    [ "$smiled" = "ではありません。" ] || fail "chirpwell-smile smiled to: $smiled"
    echo "chirpwell-smile smiles: です。 -> $smiled"
    # chirpwell --version still wants a platform plugin; offscreen needs no display.
    version=$(QT_QPA_PLATFORM=offscreen chirpwell --version 2>/dev/null)
    echo "chirpwell --version: $version"
    [ "$version" = "chirpwell $(dpkg-query -W -f "\${Version}" chirpwell)" ] ||
        fail "chirpwell --version"
    # The library where the loader looks, and the files a build wants.
    if dpkg-query -W libchirpwell-dev > /dev/null 2>&1; then
        for file in "$(dpkg -L libchirpwell1 | grep "/libchirpwell\.so\.1$")" \
            /usr/include/chirpwell/chirpwell.h \
            "$(dpkg -L libchirpwell-dev | grep "/pkgconfig/chirpwell\.pc$")"; do
            [ -s "$file" ] || fail "the library packages lack $file"
        done
        ldconfig -p | grep -q "libchirpwell\.so\.1 " || fail "ldconfig does not know libchirpwell"
        echo "libchirpwell: $(ldconfig -p | grep -m1 "libchirpwell\.so\.1 ")"
    fi
'
echo "The package installs and works in a clean Debian 12 system"
