#!/bin/sh
# Installs the Debian packages that building, running and testing Chirpwell need,
# skipping those already installed. Safe to run again; asks nothing.
set -eu
. "$(dirname "$0")/require.sh"
require dpkg-query apt-get

# The tools, by what needs them: the build (the writer carries ACLs and extended
# attributes with libacl and libattr); the tests and benchmarks (the writer's on
# real file systems: mkfs.ext2, mount, setfacl, setfattr, setpriv; the start-up
# benchmark watches windows paint through X's DAMAGE extension); the window checks
# (a virtual display with a window manager, openbox; xdotool finds the window, xprop
# reads its state, import takes its picture); the encodings and messages; the
# manual pages, metadata and package checks; the Python package (cffi, built with
# setuptools in a virtual environment, and pytest); scripts/fresh-debian-test.sh.
packages="cmake ninja-build g++ pkg-config python3 python3-dev python3-venv python3-pip
python3-setuptools python3-cffi python3-pytest libacl1-dev libattr1-dev
libgtest-dev libgmock-dev libbenchmark-dev libxdamage-dev e2fsprogs mount util-linux acl attr
clang libclang-rt-14-dev
qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libqt6printsupport6 libgl-dev
libuchardet-dev gettext locales
fonts-ipafont-gothic fonts-ipafont-mincho fonts-noto-color-emoji
xvfb xauth xdotool x11-utils openbox poppler-utils qt6-translations-l10n imagemagick
mandoc groff appstream desktop-file-utils bash-completion
dpkg-dev file lintian
debootstrap"

missing=""
for package in $packages; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing="$missing $package"
    fi
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
if [ "$(id -u)" -ne 0 ]; then
    require sudo
    sudo=sudo
else
    sudo=
fi
export DEBIAN_FRONTEND=noninteractive
# shellcheck disable=SC2086
if ! $sudo apt-get install -y --no-install-recommends $missing; then
    $sudo apt-get update
    $sudo apt-get install -y --no-install-recommends $missing
fi
