#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The bash completion of labelstation (resources/completion/labelstation), sourced into a
# plain bash and asked as bash asks it when TAB is pressed:
#   test_completion.sh COMPLETION_FILE [PROGRAM]
# With PROGRAM it also checks that the completion knows every command the program lists in
# --help and every option each command lists in its own --help.
set -uo pipefail

completion=$1
program=${2:-}
passed=0
failed=0

# shellcheck source=/dev/null
source "$completion" || {
    echo "cannot source $completion"
    exit 1
}

# Completes LINE (the cursor at its end; "=" and ":" break words as in bash's default
# COMP_WORDBREAKS) and prints the candidates, one a line, sorted.
complete_line()
{
    local line=$1
    COMP_LINE=$line
    COMP_POINT=${#line}
    COMP_WORDS=()
    local word="" i c
    for ((i = 0; i < ${#line}; i++)); do
        c=${line:i:1}
        case $c in
        " ")
            [[ -n $word ]] && COMP_WORDS+=("$word")
            word="" ;;
        = | :)
            [[ -n $word ]] && COMP_WORDS+=("$word")
            COMP_WORDS+=("$c")
            word="" ;;
        *) word+=$c ;;
        esac
    done
    if [[ -n $word || ${line: -1} == " " ]]; then
        COMP_WORDS+=("$word")
    fi
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _labelstation labelstation "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf '%s\n' "${COMPREPLY[@]}" | sort -u | sed '/^$/d'
}

# expect LINE CANDIDATE... : the completion of LINE is exactly these candidates.
expect()
{
    local line=$1
    shift
    local got want
    got=$(complete_line "$line")
    want=$(printf '%s\n' "$@" | sort -u | sed '/^$/d')
    if [[ $got == "$want" ]]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL: '$line'"
        echo "  expected: ${want//$'\n'/ }"
        echo "  got:      ${got//$'\n'/ }"
    fi
}

# expect_has LINE CANDIDATE... : the completion of LINE includes these candidates.
# expect_not LINE CANDIDATE... : it includes none of them.
expect_has()
{
    local line=$1 c missing=""
    shift
    local got
    got=$(complete_line "$line")
    for c in "$@"; do
        grep -qxF -- "$c" <<<"$got" || missing+=" $c"
    done
    if [[ -z $missing ]]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL: '$line' lacks:$missing"
        echo "  got: ${got//$'\n'/ }"
    fi
}
expect_not()
{
    local line=$1 c found=""
    shift
    local got
    got=$(complete_line "$line")
    for c in "$@"; do
        grep -qxF -- "$c" <<<"$got" && found+=" $c"
    done
    if [[ -z $found ]]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL: '$line' offers:$found"
    fi
}

sets=()
for n in $(seq 0 21); do sets+=("$(printf '%02d' "$n")"); done

# Commands, and their place after the options of the program.
expect "labelstation pr" print
expect "labelstation p" print ports
expect "labelstation --data-dir /tmp/x ch" check
expect "labelstation --" --data-dir --help --help-all --version --open --grab
expect "labelstation --open " SRP770Frm AL300Frm LEO60DFrm
expect "labelstation --open AL300Frm --data-dir /tmp/x --" --data-dir --help --help-all --version --open --grab
# Models and sets.
expect "labelstation print " srp770 al300
expect "labelstation check a" al300
expect "labelstation report " srp770 al300 leo60d
expect "labelstation print --set " "${sets[@]}"
expect "labelstation print srp770 --set 1" 10 11 12 13 14 15 16 17 18 19
expect "labelstation print srp770 --set=2" 20 21
expect "labelstation goods import --set " "${sets[@]}"
# Option values.
expect "labelstation print srp770 --language " zpl srp770
expect "labelstation check al300 --language " zpl al300
expect "labelstation print al300 --dpi " 203 300
expect "labelstation print srp770 --stock " G B
expect "labelstation report srp770 --by " number name
expect "labelstation ean --mode " 0 1 2 3 4
expect "labelstation goods import --mode " append replace update
expect "labelstation goods import --encoding " utf-8 utf-16 cp949
expect "labelstation goods export --encoding " utf-8 cp949
expect "labelstation goods export --model " srp770 al300
expect "labelstation ean " check new
expect "labelstation goods " import export
# Options: the command's own, without those already given.
expect_has "labelstation print srp770 --" --set --items --all --port --device --out --pdf --language --help
expect_not "labelstation print srp770 --set 00 --" --set --png --model
expect_has "labelstation transfer --goods --" --set --formats --port
expect_not "labelstation transfer --goods --" --goods
expect "labelstation render --" --data-dir --help --png --dpi
expect_has "labelstation goods import --" --model --map --dry-run --plain-thousands --caption-row
expect_has "labelstation print srp770 " --set --items
# Values of options that take anything complete nothing of their own.
expect "labelstation print srp770 --items "
# Files.
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir "$dir/sub"
touch "$dir/a.pdf" "$dir/b.PDF" "$dir/c.txt" "$dir/goods.csv" "$dir/goods.xlsx" "$dir/list.pre"
expect "labelstation print srp770 --pdf $dir/" "$dir/a.pdf" "$dir/b.PDF" "$dir/sub"
expect "labelstation goods import $dir/g" "$dir/goods.csv" "$dir/goods.xlsx"
expect "labelstation convert-pre $dir/" "$dir/list.pre" "$dir/sub"
expect "labelstation --data-dir $dir/" "$dir/sub"
expect_has "labelstation render $dir/" "$dir/c.txt" "$dir/a.pdf"
expect_has "labelstation print srp770 --out " -

# The program's own lists: every command and every option is known to the completion.
if [[ -n $program ]]; then
    export QT_QPA_PLATFORM=offscreen
    commands=$("$program" --help 2>/dev/null | sed -n '/^Commands/,/^$/p' | awk 'NR > 1 && NF {print $1}')
    if [[ -z $commands ]]; then
        failed=$((failed + 1))
        echo "FAIL: no command list in $program --help"
    fi
    # shellcheck disable=SC2086
    expect "labelstation " $commands
    # shellcheck disable=SC2046
    expect_has "labelstation --" $("$program" --help 2>/dev/null |
                                   grep -oE '^ +(-[a-z?], )?--[a-z0-9-]+' | grep -oE -- '--[a-z0-9-]+')
    for command in $commands; do
        case $command in
        goods) helps=("goods import" "goods export") ;;
        *) helps=("$command") ;;
        esac
        for h in "${helps[@]}"; do
            # shellcheck disable=SC2086
            options=$("$program" $h --help 2>/dev/null | grep -oE '^ +(-[a-z?], )?--[a-z0-9-]+' |
                      grep -oE -- '--[a-z0-9-]+')
            if [[ -z $options ]]; then
                failed=$((failed + 1))
                echo "FAIL: no options in $program $h --help"
                continue
            fi
            line="labelstation $h"
            case $command in
            print | check | report) line+=" srp770" ;;
            ean) line+=" new" ;;
            esac
            # shellcheck disable=SC2086
            expect_has "$line --" $options
        done
    done
fi

echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
