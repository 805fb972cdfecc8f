# SPDX-License-Identifier: GPL-3.0-or-later
# bash completion for ratewise-cli: its commands, their options, the values of the options that
# take a choice, the medium presets and title-set files. A new command is one entry in
# _ratewise_cli_commands and one in _ratewise_cli_options.

_ratewise_cli_commands="calc vcd-project split chapters profile tracks info disc plan stream"

# The options of each command.
_ratewise_cli_options() {
    local calculator="--hours --minutes --seconds --size --preset --count --audio1 --audio2 --mode --lock --video"
    local disc="--title-set --title"
    case $1 in
    calc) echo "$calculator --ifo --tracks $disc -j --json" ;;
    vcd-project) echo "$disc -o --output --conversion --audio --video --quality -j --json" ;;
    split) echo "$calculator -t --track --starts $disc -f --format --chapters-per-medium --names --language -j --json" ;;
    chapters) echo "-t --track $disc -f --format --names --language -o --output -j --json" ;;
    profile) echo "-t --track $disc --width -j --json" ;;
    tracks) echo "$disc -j --json" ;;
    info) echo "$disc --video --audio --subs --raw -j --json" ;;
    disc) echo "-j --json" ;;
    plan) echo "$disc -t --track --titles $calculator --encoder --codec --audio-codec --audio --subtitles --names --language --encoder-preset -o --output --stream-command --run -j --json" ;;
    stream) echo "$disc -t --track --chapters" ;;
    esac
    echo "-h --help -q --quiet"
}

# Sets COMPREPLY to the words of $1 (one a line) that begin with the current word, quoted.
_ratewise_cli_reply_lines() {
    local IFS=$'\n' word
    COMPREPLY=()
    for word in $1; do
        [[ $word == "$cur"* ]] && COMPREPLY+=("$(printf '%q' "$word")")
    done
}

# Title-set files and disc images (any case of .ifo and .iso) and folders; with "any", every file.
_ratewise_cli_files() {
    local IFS=$'\n'
    compopt -o filenames 2>/dev/null
    if [[ $1 == any ]]; then
        COMPREPLY=($(compgen -f -- "$cur"))
    else
        COMPREPLY=($(compgen -f -X '!*.[iI][fF][oO]' -- "$cur") $(compgen -f -X '!*.[iI][sS][oO]' -- "$cur")
            $(compgen -d -- "$cur"))
    fi
}

_ratewise_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    local command="" word
    for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
        if [[ " $_ratewise_cli_commands " == *" $word "* ]]; then
            command=$word
            break
        fi
    done
    if [[ -z $command ]]; then
        COMPREPLY=($(compgen -W "$_ratewise_cli_commands -h --help -V --version -q --quiet" -- "$cur"))
        return
    fi

    # --chapters-per-medium DIR FORMAT: the second value.
    if [[ $command == split && ${COMP_WORDS[COMP_CWORD - 2]} == --chapters-per-medium ]]; then
        COMPREPLY=($(compgen -W "ogm matroska ffmetadata csv" -- "$cur"))
        return
    fi
    # The value of the option before the cursor (info's options take none).
    if [[ $command != info ]]; then
        case $command:$prev in
        *:--preset)
            _ratewise_cli_reply_lines $'Custom\n74min CD\n80min CD\n90min CD\n99min CD\n21min CD\n24min CD\nDVD-R/RW'
            return
            ;;
        *:--mode) COMPREPLY=($(compgen -W "avidvd svcd" -- "$cur")) && return ;;
        chapters:--format | chapters:-f) COMPREPLY=($(compgen -W "time frame second ogm matroska ffmetadata csv" -- "$cur")) && return ;;
        split:--format | split:-f) COMPREPLY=($(compgen -W "mkvmerge ffmpeg" -- "$cur")) && return ;;
        split:--chapters-per-medium)
            compopt -o filenames 2>/dev/null
            COMPREPLY=($(compgen -d -- "$cur"))
            return
            ;;
        *:--names) _ratewise_cli_files any && return ;;
        vcd-project:--conversion) COMPREPLY=($(compgen -W "0 1 2 3" -- "$cur")) && return ;;
        vcd-project:--audio) COMPREPLY=($(compgen -W "64 96 112 128 160 192 224 256 320 384" -- "$cur")) && return ;;
        vcd-project:--quality) COMPREPLY=($(compgen -W "0 1 2 3 4 5" -- "$cur")) && return ;;
        plan:--encoder) COMPREPLY=($(compgen -W "handbrake ffmpeg" -- "$cur")) && return ;;
        plan:--codec) COMPREPLY=($(compgen -W "x264 x265" -- "$cur")) && return ;;
        plan:--audio-codec) COMPREPLY=($(compgen -W "aac ac3 copy" -- "$cur")) && return ;;
        plan:--audio) COMPREPLY=($(compgen -W "all" -- "$cur")) && return ;;
        plan:--subtitles) COMPREPLY=($(compgen -W "all none" -- "$cur")) && return ;;
        plan:--titles) COMPREPLY=($(compgen -W "episodes" -- "$cur")) && return ;;
        plan:--encoder-preset)
            COMPREPLY=($(compgen -W "ultrafast superfast veryfast faster fast medium slow slower veryslow placebo" -- "$cur"))
            return
            ;;
        plan:--stream-command) COMPREPLY=($(compgen -c -- "$cur")) && return ;;
        *:--ifo) _ratewise_cli_files && return ;;
        *:-o | *:--output) _ratewise_cli_files any && return ;;
        *:--hours | *:--minutes | *:--seconds | *:--size | *:--count | *:--audio1 | *:--audio2 | *:--video | \
            *:-t | *:--track | *:--tracks | *:--starts | *:--width | *:--language | *:--title-set | *:--title | *:--chapters)
            COMPREPLY=()
            return
            ;;
        esac
    fi

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$(_ratewise_cli_options "$command")" -- "$cur"))
    elif [[ $command != calc ]]; then
        _ratewise_cli_files
    fi
}

complete -F _ratewise_cli ratewise-cli
