#!/bin/sh
# Runs the programs in English and in Japanese, as the locale says: the help
# under LANG=C and ja_JP.UTF-8 and its columns, errors in Japanese, English under
# a Japanese locale that is not UTF-8, and a Turkish locale's case rules.
#   messages-check.sh CHIRPWELL_SMILE [CHIRPWELL]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/require.sh"
. "$here/locales.sh"
require localedef python3
smile=$1 app=${2:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
make_locales "$work/locales" ja_JP.UTF-8 ja_JP.EUC-JP tr_TR.UTF-8
unset LANGUAGE LC_ALL LC_CTYPE LC_MESSAGES
failed=0

# expect WHAT WANTED ACTUAL: the exit status is the last line of ACTUAL.
expect() {
    if [ "$2" != "$3" ]; then
        printf '%s:\n--- wanted\n%s\n--- got\n%s\n' "$1" "$2" "$3" >&2
        failed=1
    fi
}
# The first line of standard output, or standard error, then the exit status.
first_line() { { "$@" 2>/dev/null && echo "exit 0" || echo "exit $?"; } | sed -n '1p;$p'; }
errors() { "$@" 2>&1 >/dev/null && echo "exit 0" || echo "exit $?"; }
columns() {
    if ! "$@" | python3 "$here/help-columns.py"; then
        echo "in the help of: $*" >&2
        failed=1
    fi
}

expect "help under C" "Usage: chirpwell-smile [OPTION]... [FILE]
exit 0" "$(LANG=C first_line "$smile" --help)"
expect "help under ja_JP.UTF-8" "使い方: chirpwell-smile [オプション]... [ファイル]
exit 0" "$(LANG=ja_JP.UTF-8 first_line "$smile" --help)"
expect "help's last option in Japanese" "      --version         バージョンを表示して終わります" \
    "$(LANG=ja_JP.UTF-8 "$smile" --help | grep -e '--version ')"
expect "LC_ALL before LANG" "使い方: chirpwell-smile [オプション]... [ファイル]
exit 0" "$(LANG=C LC_ALL=ja_JP.UTF-8 first_line "$smile" --help)"
expect "LC_MESSAGES=C" "Usage: chirpwell-smile [OPTION]... [FILE]
exit 0" "$(LANG=ja_JP.UTF-8 LC_MESSAGES=C first_line "$smile" --help)"
LANG=C columns "$smile" --help
LANG=ja_JP.UTF-8 columns "$smile" --help

expect "bad usage in Japanese" "chirpwell-smile: スマイル頻度は整数で指定してください: 'x'
詳しくは 'chirpwell-smile --help' を実行してください。
exit 2" "$(LANG=ja_JP.UTF-8 errors "$smile" -f x)"
# The Japanese puts the two options the other way round.
expect "options in their Japanese order" "chirpwell-smile: --censor のときは --html は効きません
詳しくは 'chirpwell-smile --help' を実行してください。
exit 2" "$(LANG=ja_JP.UTF-8 errors "$smile" --html --censor)"
expect "input error in Japanese" \
    "chirpwell-smile: （標準入力）: 位置 2 にゼロのバイトがあります。テキスト ファイルではありません
exit 2" "$(printf 'ab\000c' | LANG=ja_JP.UTF-8 errors "$smile")"
# The program's own Japanese messages are the same in every language.
expect "fixed message under C" "chirpwell-smile: /dev/zero: not a regular file or a pipe
chirpwell-smile: 設定ファイルのロードに失敗しました。
exit 2" "$(LANG=C errors "$smile" -s /dev/zero < /dev/null)"

# Messages are UTF-8, which an EUC-JP terminal cannot show: English, the
# system's reasons too.
expect "bad usage under ja_JP.EUC-JP" "chirpwell-smile: the frequency must be a whole number: 'x'
Try 'chirpwell-smile --help' for more information.
exit 2" "$(LANG=ja_JP.EUC-JP errors "$smile" -f x)"
expect "system error under ja_JP.EUC-JP" "chirpwell-smile: $work/none: No such file or directory
exit 2" "$(LANG=ja_JP.EUC-JP errors "$smile" "$work/none")"

# A Turkish locale's tolower does not take I to i.
expect "encoding names under tr_TR.UTF-8" "a
exit 0" "$(printf a | { LANG=tr_TR.UTF-8 "$smile" --encoding=SJIS -f 0 && echo "
exit 0" || echo "
exit $?"; })"

if [ -n "$app" ]; then
    # Help needs no display; bad usage is told once the application is up.
    mkdir -m 700 "$work/runtime"
    expect "chirpwell's help under ja_JP.UTF-8" "使い方: chirpwell [オプション]... [ファイル]
exit 0" "$(LANG=ja_JP.UTF-8 first_line \
        env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY "$app" --help)"
    LANG=ja_JP.UTF-8 columns env -u QT_QPA_PLATFORM "$app" --help
    LANG=C columns "$app" --help
    for case in "--print-to|オプション '--print-to' には値が要ります" \
        "--help=x|オプション '--help' に値は付けられません" \
        "-x|'-x' というオプションはありません" \
        "--frobnicate|'--frobnicate' というオプションはありません"; do
        expect "chirpwell ${case%%|*}" "chirpwell: ${case#*|}
詳しくは 'chirpwell --help' を実行してください。
exit 2" "$(LANG=ja_JP.UTF-8 QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/runtime" \
            XDG_CONFIG_HOME="$work/config" errors "$app" "${case%%|*}")"
    done
fi
[ "$failed" -eq 0 ] && echo "messages follow the locale"
exit "$failed"
