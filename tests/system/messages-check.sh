#!/bin/sh
# Runs the programs in English and in Japanese, as the locale says: the help
# under LANG=C and ja_JP.UTF-8 and its columns, errors in Japanese, the window's
# fixed texts in one language with the rest, English under a Japanese locale that
# is not UTF-8, and a Turkish locale's case rules.
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
# The window's fixed Japanese messages are English under C, like the rest, and
# themselves under a Japanese locale.
expect "fixed message under C" "chirpwell-smile: /dev/zero: not a regular file or a pipe
chirpwell-smile: the smile file could not be loaded
exit 2" "$(LANG=C errors "$smile" -s /dev/zero < /dev/null)"
printf 'r a b\n x\n' > "$work/bad.grn"
expect "line error under C" "chirpwell-smile: $work/bad.grn: read error on line 2
chirpwell-smile: the smile file could not be loaded
exit 2" "$(LANG=C errors "$smile" -s "$work/bad.grn" < /dev/null)"
expect "line error under ja_JP.UTF-8" "chirpwell-smile: $work/bad.grn: 第2行で読み込みエラーが起きました。
chirpwell-smile: 設定ファイルのロードに失敗しました。
exit 2" "$(LANG=ja_JP.UTF-8 errors "$smile" -s "$work/bad.grn" < /dev/null)"
printf 'r a bb\n' > "$work/grow.grn"
head -c 524287 /dev/zero | tr '\0' a > "$work/long.txt"
expect "too long under C" "chirpwell-smile: the smiled text would be longer than 524,287 bytes; nothing is converted
exit 1" "$(LANG=C errors "$smile" -f 100 -s "$work/grow.grn" "$work/long.txt")"
expect "too long under ja_JP.UTF-8" "chirpwell-smile: 文字列の長さが限界を超えました。この変換は無効です。
exit 1" "$(LANG=ja_JP.UTF-8 errors "$smile" -f 100 -s "$work/grow.grn" "$work/long.txt")"
head -c 1048576 /dev/zero | tr '\0' a > "$work/large.txt"
expect "too large under ja_JP.UTF-8" "chirpwell-smile: $work/large.txt: ﾌｧｲﾙが大きすぎて開けません。（1,048,575 バイトを超えています）
exit 2" "$(LANG=ja_JP.UTF-8 errors "$smile" "$work/large.txt")"

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
    # --unregister tells whether there was anything to remove.
    profile="$work/config/Vevizo/Chirpwell.conf"
    unregister() {
        LANG=$1 QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/runtime" \
            XDG_CONFIG_HOME="$work/config" first_line "$app" --unregister
    }
    expect "chirpwell --unregister without settings" "Chirpwell had no settings to remove: $profile
exit 0" "$(unregister C)"
    mkdir -p "$work/config/Vevizo"
    printf '[Settings]\nfrequency=30\n' > "$profile"
    expect "chirpwell --unregister under ja_JP.UTF-8" "Chirpwell の設定を削除しました: $profile
exit 0" "$(unregister ja_JP.UTF-8)"
    [ ! -e "$profile" ] || { echo "--unregister left $profile" >&2; failed=1; }
fi
[ "$failed" -eq 0 ] && echo "messages follow the locale"
exit "$failed"
