#!/usr/bin/env bash
# Installs what building, testing and benchmarking Quillet needs, when it is missing, and the
# packages named as arguments (the fuzz build's compiler, say).
set -euo pipefail
packages=("$@" cmake g++ make pkg-config libgtest-dev libgmock-dev libbenchmark-dev libsqlite3-dev sqlite3
          qt6-base-dev qt6-svg-dev libqt6svg6 qt6-l10n-tools libgl1-mesa-dev bc fonts-dejavu-core locales
          xvfb xauth dbus-daemon at-spi2-core python3 python3-pyatspi)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
# A locale with a decimal comma, so that the tests can show the number text ignores it.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    localedef -i de_DE -f UTF-8 de_DE.UTF-8 >/dev/null 2>&1 || true
fi
