# bash completion for chirpwell-smile: its options, as its --help lists them,
# the encodings that --encoding, --output-encoding and --smile-encoding take,
# and file names.

_chirpwell_smile()
{
    local cur prev words cword split
    _init_completion -s || return

    local encodings="shift_jis utf-8 euc-jp sjis cp932 utf8 eucjp"
    case $prev in
        --encoding | --smile-encoding)
            COMPREPLY=($(compgen -W "auto $encodings" -- "$cur"))
            return
            ;;
        --output-encoding)
            COMPREPLY=($(compgen -W "$encodings" -- "$cur"))
            return
            ;;
        -s | --smile-file | -o | --output | --places)
            _filedir
            return
            ;;
        -f | --frequency | --seed | --zenkaku | --hankaku | -h | --help | --version)
            return
            ;;
    esac
    $split && return

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W '$(_parse_help "$1")' -- "$cur"))
        [[ ${COMPREPLY-} == *= ]] && compopt -o nospace
        return
    fi
    _filedir
} &&
    complete -F _chirpwell_smile chirpwell-smile
