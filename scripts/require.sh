# Sourced by the scripts that run tools: "require TOOL..." ends the script at once,
# naming every missing tool and the Debian package that brings it, rather than
# letting a later step fail with a message that points elsewhere.

# The Debian package that installs TOOL.
require_package() {
    case $1 in
    Xvfb) echo xvfb ;;
    mcookie) echo util-linux ;;
    xprop) echo x11-utils ;;
    import | convert) echo imagemagick ;;
    ninja) echo ninja-build ;;
    clang++) echo clang ;;
    g++) echo g++ ;;
    ctest | cpack) echo cmake ;;
    appstreamcli) echo appstream ;;
    desktop-file-validate) echo desktop-file-utils ;;
    dpkg-shlibdeps | dpkg-architecture) echo dpkg-dev ;;
    dpkg-deb) echo dpkg ;;
    groff) echo groff ;;
    localedef) echo libc-bin ;;
    *) echo "$1" ;;
    esac
}

require() {
    require_missing=
    for require_tool in "$@"; do
        if ! command -v "$require_tool" > /dev/null 2>&1; then
            require_missing="$require_missing $require_tool (package $(require_package "$require_tool"))"
        fi
    done
    if [ -n "$require_missing" ]; then
        echo "$(basename "$0"): missing:$require_missing; scripts/setup.sh installs it" >&2
        exit 127
    fi
}
