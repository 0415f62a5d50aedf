#!/bin/bash
# Loads the bash completion of chirpwell-smile as bash-completion does and
# completes a few command lines: encodings after their options, whole and split
# at "=", and an option from --help.
#   completion-check.sh COMPLETION_FILE CHIRPWELL_SMILE
set -eu
. "$(dirname "$0")/../../scripts/require.sh"
require bash
library=/usr/share/bash-completion/bash_completion
[ -r "$library" ] || { echo "missing: $library (package bash-completion)" >&2; exit 127; }
set +eu
. "$library"
. "$1"
smile=$2
compopt() { :; }  # only works inside a real completion

failed=0
# expect WANTED WORD... : the words as bash splits them, "=" apart, the last
# one the word being completed.
expect() {
    local wanted=$1
    shift
    COMP_WORDS=("$smile" "$@")
    COMP_CWORD=$(($# ))
    COMP_LINE="$smile $*"
    COMP_LINE=${COMP_LINE// = /=}
    COMP_LINE=${COMP_LINE% =}
    [[ ${COMP_WORDS[COMP_CWORD]} == "=" ]] && COMP_LINE+="="
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    _chirpwell_smile "$smile" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    if [[ "${COMPREPLY[*]}" != "$wanted" ]]; then
        echo "'$COMP_LINE' completes to '${COMPREPLY[*]}', not '$wanted'" >&2
        failed=1
    fi
}
expect "shift_jis utf-8 euc-jp sjis cp932 utf8 eucjp" --output-encoding =
expect "utf-8 utf8" --smile-encoding = u
expect "auto" --encoding a
expect "euc-jp eucjp" -f 30 --encoding e
expect "--keep-newlines" --kee
expect "" --seed ""
exit $failed
