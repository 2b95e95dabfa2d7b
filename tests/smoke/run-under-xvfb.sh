#!/usr/bin/env bash
# Smoke test of the real program: start it under Xvfb, wait for its first painted window, take a
# screenshot and check that it is not blank.
#   tests/smoke/run-under-xvfb.sh [build-dir]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

cc -O2 -o "$work/first-paint" "$root/tests/smoke/first-paint.c" -lX11

# A settings folder of its own, so the user's settings are neither read nor written.
export HOME="$work" XDG_CONFIG_HOME="$work/config"
export FIRST_PAINT_THEN="import -window root '$work/shot.png'"
xvfb-run -a -s "-noreset -screen 0 1280x1024x24" \
    "$work/first-paint" Conewright "$build/conewright" --no-splash

# A blank screen has one colour; the main window with its plot, panels, menus and tool bar has
# many.
colours=$(convert "$work/shot.png" -format '%k' info:)
echo "smoke: screenshot has $colours colours"
if [ "$colours" -lt 16 ]; then
    echo "smoke: the screenshot is blank" >&2
    exit 1
fi
