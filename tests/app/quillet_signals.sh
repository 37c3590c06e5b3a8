#!/usr/bin/env bash
# Starts the app on the offscreen platform with a temporary home, stops it with SIGTERM, SIGINT
# and by quitting normally, and checks each time that it ended cleanly and saved the engine
# into its store before closing it.
set -euo pipefail
app=${QUILLET_APP:?set QUILLET_APP to the quillet executable}
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config HOME=$home QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}

store() { find "$home/data" -name Quillet.sqlite | head -n1; }

for signal in TERM INT; do
    "$app" &
    pid=$!
    # Wait until the store file exists: the engine has been restored, the screen is up.
    for _ in $(seq 1 100); do
        [ -n "$(store 2>/dev/null)" ] && break
        sleep 0.1
    done
    sleep 0.5
    kill -"$signal" "$pid"
    status=0
    wait "$pid" || status=$?
    if [ "$status" -ne 0 ]; then
        echo "FAIL: quillet ended with status $status after SIG$signal"
        exit 1
    fi
    saved=$(sqlite3 "$(store)" "SELECT count(*) FROM AccumulatorState;")
    if [ "$saved" != "1" ]; then
        echo "FAIL: after SIG$signal the store holds $saved saved engine states, expected 1"
        exit 1
    fi
    echo "ok: SIG$signal saved the engine and quit cleanly"
done
