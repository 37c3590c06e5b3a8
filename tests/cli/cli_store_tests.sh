#!/usr/bin/env bash
# quillet-cli with the calculator's saved settings and with --store FILE.
set -u
cli=${QUILLET_CLI:?set QUILLET_CLI to the quillet-cli binary}
export HOME=$(mktemp -d)  # never the user's settings or store
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share
trap 'rm -rf "$HOME"' EXIT
cd "$HOME"
passed=0
failed=0

# expect NAME ACTUAL EXPECTED
expect() {
    if [ "$2" == "$3" ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL $1: got '$2', expected '$3'"
    fi
}

# run ARGS...: sets out, err and rc.
run() {
    out=$("$cli" "$@" 2>"$HOME/err")
    rc=$?
    err=$(cat "$HOME/err")
}

count() { sqlite3 "$1" "$2"; }

# A calculation continues across runs, and the completed step is in the history once.
run --store s.sqlite 2 +
expect "first half" "$out/$rc" "2d/0"
run --store s.sqlite 3 =
expect "second half" "$out/$rc" "5d/0"
expect "one history step" "$(count s.sqlite 'SELECT count(*) FROM HistoryStep')" 1
expect "its operator" "$(count s.sqlite 'SELECT operator FROM HistoryStep')" 2
expect "its style is the decimal page" "$(count s.sqlite 'SELECT DISTINCT style FROM GeneralValue WHERE style IS NOT NULL')" 6
expect "no settings file is written" "$(ls "$XDG_CONFIG_HOME" 2>/dev/null | wc -l)" 0

# The style of the page shown at the time goes with the step.
run --store hex.sqlite hex FF + 1 =
expect "hex run" "$out" "100h"
expect "hex style" "$(count hex.sqlite 'SELECT DISTINCT style FROM GeneralValue WHERE style IS NOT NULL')" 7
expect "the base is kept" "$("$cli" --store hex.sqlite 2>/dev/null </dev/null; "$cli" --store hex.sqlite 1 2>/dev/null)" "1h"

# Equals alone completes no step.
run --store equals.sqlite 7 =
expect "equals alone" "$(count equals.sqlite 'SELECT count(*) FROM HistoryStep')" 0

# A key that is refused still leaves the calculation saved.
run --store bad-key.sqlite 2 + nonsense
expect "refused key" "$rc" 2
run --store bad-key.sqlite 3 =
expect "the calculation survived the refused key" "$out" "5d"

# A saved calculation with an impossible field is reported and left out; the history stays.
run --store damaged.sqlite 2 + 3 = + 4
sqlite3 damaged.sqlite 'UPDATE AccumulatorState SET state = 7'
run --store damaged.sqlite 1 + 1 =
expect "damaged calculation" "$out/$rc" "2d/0"
expect "damaged calculation message" "$(grep -c 'saved calculation is damaged (state 7)' <<<"$err")" 1
expect "history kept" "$(count damaged.sqlite 'SELECT count(*) FROM HistoryStep')" 2

# Steps entered on standard input are recorded as well.
out=$(printf '1 + 1 =\n2 \xc3\x97 3 =\n' | "$cli" --store lines.sqlite 2>/dev/null | tail -1)
expect "lines" "$out" "6d"
expect "lines history" "$(count lines.sqlite 'SELECT count(*) FROM HistoryStep')" 2

# A store used by another run is refused with a clear message and left alone.
(sleep 2) | "$cli" --store busy.sqlite >/dev/null 2>&1 &
holder=$!
sleep 0.7
before=$(sha1sum busy.sqlite)
run --store busy.sqlite 1 + 1 =
expect "busy status" "$rc" 3
expect "busy message" "$(grep -c 'store is in use by another Quillet process' <<<"$err")" 1
expect "busy file unchanged" "$(sha1sum busy.sqlite)" "$before"
wait $holder

# A file that is not a store is kept aside under a telling name, and a fresh store is used.
echo "my shopping list" >notes.sqlite
run --store notes.sqlite 1 + 1 =
expect "fresh store" "$out/$rc" "2d/0"
expect "kept aside" "$(cat notes.sqlite.unreadable-*)" "my shopping list"

run --store
expect "store without a file" "$rc" 2

# --history prints the store's history as the history screen exports it, and changes nothing.
"$cli" --store history.sqlite 12 + 30 = >/dev/null 2>&1
"$cli" --store history.sqlite clear 6 '*' 7 = >/dev/null 2>&1
dump() { sqlite3 "$1" .dump; }
before=$(dump history.sqlite)
run --store history.sqlite --history
expect "history" "$out/$rc" "$(printf 'Today\n=====\n  12d + 30d = 42d\n    6d \xc3\x97 7d = 42d')/0"
expect "history changes nothing" "$(dump history.sqlite)" "$before"
run --store equals.sqlite --history
expect "empty history" "$out/$rc" "/0"
run --store missing.sqlite --history
expect "missing store" "$rc/$(ls missing.sqlite* 2>/dev/null | wc -l)" "3/0"
echo "my shopping list" >list.sqlite
run --store list.sqlite --history
expect "not a store, left alone" "$rc/$(cat list.sqlite)/$(ls list.sqlite* | wc -l)" "3/my shopping list/1"
run --store history.sqlite --history 1 +
expect "history takes no keys" "$rc" 2
run --history
expect "history needs a store" "$rc" 2
(sleep 2) | "$cli" --store history.sqlite >/dev/null 2>&1 &
holder=$!
sleep 0.7
run --store history.sqlite --history
expect "history of a busy store" "$rc/$(grep -c 'store is in use by another Quillet process' <<<"$err")" "3/1"
wait $holder

# The calculator's saved settings apply; options override them without writing them.
mkdir -p "$XDG_CONFIG_HOME/Quillet"
settings=$XDG_CONFIG_HOME/Quillet/Quillet.conf
printf '[General]\nUserSettingsKeyHasCreatedDefaultValues=true\nUserSettingsKeyWordSize=8\nUserSettingsKeyIsIntegerType=1\n' >"$settings"
cp "$settings" "$HOME/settings.before"
run 127 + 1 =
expect "saved word size and signedness" "$out" "-128d"
run --word-size 16 --unsigned 127 + 1 =
expect "options override" "$out" "128d"
expect "options are not saved" "$(cmp -s "$settings" "$HOME/settings.before" && echo same)" same

echo "cli store: $passed passed, $failed failed"
[ "$failed" == 0 ]
