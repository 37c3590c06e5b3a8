#!/usr/bin/env bash
# Starts Quillet on a virtual X display with Qt's accessibility bridge on, under a private
# session bus, and reads it back over AT-SPI as a screen reader does (quillet_atspi.py). Fails,
# rather than skips, when a tool it needs is missing: scripts/deps.sh installs them.
set -euo pipefail
app=${QUILLET_APP:?set QUILLET_APP to the quillet executable}
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb dbus-run-session; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (bash scripts/deps.sh)"; exit 1; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "FAIL: python3-pyatspi is missing (bash scripts/deps.sh)"; exit 1; }

home=$(mktemp -d)
xvfb_pid=
cleanup() {
    # Gone before the next run looks for a free display.
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$home"
}
trap cleanup EXIT
export XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config XDG_CACHE_HOME=$home/cache HOME=$home
export XDG_RUNTIME_DIR=$home/runtime
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}

# A display of its own, on a number far from those people and other tests use, ready once its
# socket exists.
display=
for _ in $(seq 1 20); do
    candidate=$((100 + RANDOM % 800))
    [ -e "/tmp/.X$candidate-lock" ] && continue
    # No reset when the last client leaves: the bus launcher connects and leaves first.
    Xvfb ":$candidate" -screen 0 800x1000x24 -nolisten tcp -noreset 2>/dev/null &
    xvfb_pid=$!
    for _ in $(seq 1 100); do
        [ -S "/tmp/.X11-unix/X$candidate" ] && break
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    if [ -S "/tmp/.X11-unix/X$candidate" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
        display=$candidate
        break
    fi
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
done
[ -n "$display" ] || { echo "FAIL: Xvfb did not start"; exit 1; }
export DISPLAY=:$display
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

dbus-run-session -- /usr/bin/python3 "$here/quillet_atspi.py" "$app" 2> >(grep -v -e 'Failed to set fd limit' -e 'Activating service' -e 'Successfully activated' >&2)
