# bash completion for zettelino and zettelino-print: options, files of the
# kind an option takes, printers after --print.

_zettelino_files() {
    # $1: an extended glob of the names to offer; folders always come too.
    local IFS=$'\n' cur=$2
    COMPREPLY+=($(compgen -d -- "$cur"))
    local f
    while IFS= read -r f; do
        [ -n "$f" ] && COMPREPLY+=("$f")
    done < <(compgen -f -X "!$1" -- "$cur")
}

_zettelino() {
    local cur=${COMP_WORDS[COMP_CWORD]}
    COMPREPLY=()
    shopt -s extglob
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "--help --version --" -- "$cur"))
        return
    fi
    _zettelino_files '*.@(zlw|ZLW|qrp|QRP)' "$cur"
}

_zettelino_print() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}
    COMPREPLY=()
    shopt -s extglob
    case $prev in
        --merge) _zettelino_files '*.@(csv|CSV|vcf|VCF|txt|TXT)' "$cur"; return ;;
        --pdf) _zettelino_files '*.@(pdf|PDF)' "$cur"; return ;;
        --qrp) _zettelino_files '*.@(qrp|QRP)' "$cur"; return ;;
        --zlw) _zettelino_files '*.@(zlw|ZLW)' "$cur"; return ;;
        --text) _zettelino_files '*.@(txt|TXT)' "$cur"; return ;;
        --png|--pdf-each) COMPREPLY=($(compgen -d -- "$cur")); return ;;
        --print)
            local printers
            printers=$(lpstat -e 2>/dev/null)
            COMPREPLY=($(compgen -W "$printers" -- "$cur"))
            [[ $cur == -* ]] || return ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY+=($(compgen -W "--text --zlw --qrp --pdf --pdf-each --png --print --printers --mail --info
                                   --merge --help --version --" -- "$cur"))
        return
    fi
    _zettelino_files '*.@(zlw|ZLW|qrp|QRP)' "$cur"
}

complete -F _zettelino -o filenames zettelino
complete -F _zettelino_print -o filenames zettelino-print
