#!/bin/sh
# Installs the system packages the game, its tools and its tests need.
# Idempotent: when everything is present it only checks and exits.
set -eu

PACKAGES="g++ cmake make pkg-config libsfml-dev libgtest-dev libgmock-dev libbenchmark-dev \
xvfb xauth xdotool imagemagick fonts-dejavu-core clang-format clang libclang-rt-14-dev valgrind"

missing=""
for p in $PACKAGES; do
    if ! dpkg -s "$p" 2>/dev/null | grep -q '^Status: install ok installed'; then
        missing="$missing $p"
    fi
done

[ -z "$missing" ] && exit 0

echo "Installing:$missing"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
$SUDO apt-get update
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends $missing
