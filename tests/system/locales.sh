# Sourced by the checks that run the programs in another language:
# "make_locales DIR NAME..." compiles each locale, such as ja_JP.UTF-8, into DIR
# with localedef and points LOCPATH there, so that the system's own locale
# configuration stays as it is.
make_locales() {
    locales_dir=$1
    mkdir -p "$locales_dir"
    shift
    for locale in "$@"; do
        if [ ! -r "/usr/share/i18n/locales/${locale%.*}" ]; then
            echo "missing: the locale source ${locale%.*} (package locales)" >&2
            exit 127
        fi
        localedef -i "${locale%.*}" -f "${locale#*.}" "$locales_dir/$locale"
    done
    LOCPATH=$locales_dir
    export LOCPATH
}
