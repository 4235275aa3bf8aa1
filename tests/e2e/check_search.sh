#!/usr/bin/env bash
# Searches by name the way an operator does: types a name into the search edit, which has the focus once
# the window shows, and presses Alt+N ("Por &Nome"). Passes when the list appeared on screen (the
# settled voucher among the ones found is drawn in light red, and nothing was before), the caption is
# still the first argument, and Alt+F ("   &Fechar   ") then ends the program without a question.
# With VALES_SAVE_SCREENSHOT set, the window after the search is copied to the second argument.
set -euo pipefail
caption="$1"
save_to="${2:-}"
work="$(mktemp -d "${TMPDIR:-/tmp}/vales-search.XXXXXX")"
trap 'rm -rf "$work"' EXIT

eval "$(xdotool getwindowgeometry --shell "$VALES_WINDOW")"
shot() {
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$1"
}
# Pixels of the light red of a settled voucher whose payment day has come (RGB 255, 166, 166).
light_red() {
    convert "$1" -format %c histogram:info:- | awk '/#FFA6A6/ { sub(":", "", $1); n += $1 } END { print n + 0 }'
}

sleep 0.5 # the first paint
shot "$work/before.png"
before="$(light_red "$work/before.png")"
if [ "$before" -ne 0 ]; then
    echo "light red on screen before any search: $before pixels" >&2
    exit 1
fi

xdotool windowfocus --sync "$VALES_WINDOW"
xdotool type --delay 40 "MAR"
xdotool key alt+n

# One grid row is some 900 pixels wide and over ten high.
after=0
for _ in $(seq 50); do
    sleep 0.2
    shot "$work/after.png"
    after="$(light_red "$work/after.png")"
    [ "$after" -ge 5000 ] && break
done
if [ "$after" -lt 5000 ]; then
    echo "no settled voucher row on screen after the search ($after light red pixels)" >&2
    exit 1
fi
echo "light red pixels: before $before, after $after"

actual="$(xdotool getwindowname "$VALES_WINDOW")"
if [ "$actual" != "$caption" ]; then
    printf 'caption:  [%s]\nexpected: [%s]\n' "$actual" "$caption" >&2
    exit 1
fi

if [ -n "${VALES_SAVE_SCREENSHOT:-}" ] && [ -n "$save_to" ]; then
    mkdir -p "$(dirname "$save_to")"
    cp "$work/after.png" "$save_to"
    echo "screenshot saved to $save_to"
fi

xdotool key alt+f
