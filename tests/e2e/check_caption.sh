#!/usr/bin/env bash
# Passes when the caption of the program's window is exactly the first argument.
set -euo pipefail
actual="$(xdotool getwindowname "$VALES_WINDOW")"
if [ "$actual" != "$1" ]; then
    printf 'caption:  [%s]\nexpected: [%s]\n' "$actual" "$1" >&2
    exit 1
fi
printf 'caption: [%s]\n' "$actual"
