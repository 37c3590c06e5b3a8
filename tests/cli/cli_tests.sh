#!/usr/bin/env bash
# quillet-cli as a user drives it: arguments, standard input, exit status and messages.
set -u
cli=${QUILLET_CLI:?set QUILLET_CLI to the quillet-cli binary}
export HOME=$(mktemp -d)  # never the user's settings or store
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share
trap 'rm -rf "$HOME"' EXIT
passed=0
failed=0

# check NAME EXPECTED_STDOUT EXPECTED_STATUS ARGS...
check() {
    local name=$1 expected=$2 status=$3
    shift 3
    local out err rc
    err=$(mktemp)
    out=$("$cli" "$@" 2>"$err")
    rc=$?
    if [ "$out" == "$expected" ] && [ "$rc" == "$status" ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL $name: got '$out' (status $rc, stderr '$(cat "$err")'), expected '$expected' (status $status)"
    fi
    rm -f "$err"
}

# check_stdin NAME INPUT EXPECTED_STDOUT EXPECTED_STATUS ARGS...
check_stdin() {
    local name=$1 input=$2 expected=$3 status=$4
    shift 4
    local out rc
    out=$(printf '%s' "$input" | "$cli" "$@" 2>/dev/null)
    rc=$?
    if [ "$out" == "$expected" ] && [ "$rc" == "$status" ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL $name: got '$out' (status $rc), expected '$expected' (status $status)"
    fi
}

# check_usage NAME MESSAGE_FRAGMENT ARGS...: status 2, the message names the token and points to
# --help, no output.
check_usage() {
    local name=$1 fragment=$2
    shift 2
    local out err rc
    err=$(mktemp)
    out=$("$cli" "$@" 2>"$err")
    rc=$?
    if [ -z "$out" ] && [ "$rc" == 2 ] && grep -qF -- "$fragment" "$err" && grep -qF "(see quillet-cli --help)" "$err"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL $name: got '$out' (status $rc, stderr '$(cat "$err")'), expected usage error naming '$fragment'"
    fi
    rm -f "$err"
}

check precedence "14d" 0 2 + 3 × 4 =
check one-argument "14d" 0 "2 + 3 * 4 ="
check aliases "11d" 0 8 / 2 x 3 - 1 =
check left-to-right "3d" 0 8 − 3 − 2 =
check repeat-operand "10d" 0 5 + =
check replaced-operator "10d" 0 5 + x 2 =
check divide-by-zero "Divide by zero" 1 5 ÷ 0 =
check clear-after-error "0d" 0 5 / 0 = clear
check signed-entry "32767d" 0 --signed 3 2 7 6 7
check signed-wrap "-32768d" 0 --signed --word-size 16 3 2 7 6 7 + 1 =
check word-size-mask "44d" 0 --word-size 8 3 0 0 =
check unsigned-sign "255d" 0 --word-size 8 1 +-
check sign-symbol "4294967295d" 0 1 ±
check hex-page "FFh" 0 hex F F
check bin-page "1111 1111b" 0 hex F F bin
check oct-page "17o" 0 oct 1 7
check all-pages $'1111b\n17o\n15d\nFh' 0 --pages 1 5
check pi-label "3.1415926536" 0 Pi
check paste-hex "31d" 0 paste:0x1F
check paste-spaces "-42d" 0 --signed "paste:-42 d"
check paste-binary "10d" 0 "paste:1010 b"
check clear-entry "6d" 0 2 + 3 clear 4 =
check ascii-unsigned "65d" 0 ascii:65
check ascii-real "65" 0 real ascii:65
check ascii-signed "127d" 0 --signed ascii:127
check ascii-operand "41h" 0 hex 1 + ascii:64 =

check_usage unknown-token "'frobnicate'" 2 frobnicate
check_usage refused-digit "'9'" bin 9
check_usage refused-hex-digit "'A'" A
check_usage refused-point "'.'" 1 .
check_usage refused-exponent "'exp'" 1 exp
check_usage unpastable "'abc'" paste:abc
check_usage bad-option "--word-size" --word-size 65 1
check_usage bad-places "--places" --places x 1
check_usage bad-sig-figs "--sig-figs" --sig-figs 0 1
check_usage unknown-option "--frob" --frob 1
check_usage lower-hex-digit "'f'" hex f
check_usage ascii-too-large "'ascii:128'" ascii:128
check_usage ascii-negative "'ascii:-1'" ascii:-1
check_usage ascii-not-decimal "'ascii:0x41'" ascii:0x41
check_usage digit-after-reduction "'99'" bin 1 0 '*' Pi + 99
check_usage percent-is-no-key "unknown key '%'" 5 % 3 =

check_stdin lines $'2 +\n3 =\n' $'2d\n5d' 0
check_stdin usage-error-keeps-state $'2 +\nbogus 7\n3 =\n' $'2d\n5d' 2
check_stdin error-line $'1 / 0 =\n' "Divide by zero" 1
check_stdin empty-input "" "" 0
check_stdin paste-line-end $'paste:1010 b\n' "10d" 0
check_stdin paste-crlf-line-end $'paste:# 777 o\r\n' "511d" 0
check_stdin paste-trailing-blanks $'paste:-42 d \t\r\n' "-42d" 0 --signed

help=$("$cli" --help)
if grep -q -- "--word-size" <<<"$help" && grep -qF "xx?xx" <<<"$help" && grep -qF "ascii:N" <<<"$help" &&
    ! grep -qE "(^| )%( |$)" <<<"$help"; then
    passed=$((passed + 1))
else
    failed=$((failed + 1))
    echo "FAIL help: the help misses options or operators, or lists %"
fi

echo "cli: $passed passed, $failed failed"
[ "$failed" == 0 ]
