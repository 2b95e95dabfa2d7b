#!/usr/bin/env bash
# Smoke test of the real program: start it under Xvfb, wait for its first painted window, take a
# screenshot and check that it is not blank.
#   tests/smoke/run-under-xvfb.sh [build-dir]
#   tests/smoke/run-under-xvfb.sh --title TEXT PROGRAM [ARGS...]
# The second form starts any program, such as an installed one, and waits for the window whose
# title contains TEXT; SMOKE_SHOT, if set, names a file to keep the screenshot in.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
if [ "${1:-}" = "--title" ]; then
    title="$2"
    shift 2
    program=("$@")
else
    build="$(cd "${1:-$root/build}" && pwd)"
    title=Conewright
    program=("$build/conewright" --no-splash)
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

cc -O2 -o "$work/first-paint" "$root/tests/smoke/first-paint.c" -lX11

# A settings folder of its own, so the user's settings are neither read nor written.
export HOME="$work" XDG_CONFIG_HOME="$work/config"
export FIRST_PAINT_THEN="import -window root '$work/shot.png'"
xvfb-run -a -s "-noreset -screen 0 1280x1024x24" "$work/first-paint" "$title" "${program[@]}"

# A blank screen has one colour; the main window with its plot, panels, menus and tool bar has
# many.
colours=$(convert "$work/shot.png" -format '%k' info:)
echo "smoke: screenshot has $colours colours"
if [ -n "${SMOKE_SHOT:-}" ]; then
    cp "$work/shot.png" "$SMOKE_SHOT"
fi
if [ "$colours" -lt 16 ]; then
    echo "smoke: the screenshot is blank" >&2
    exit 1
fi
