#!/usr/bin/env bash
# Takes main-window.png, the AppStream screenshot: the main window of a fresh build at
# 1024 x 700 on the shipped library, an any-terms search in the New Testament. Needs xvfb,
# xdotool and ImageMagick's import; the clicks assume the window's default layout.
#   xvfb-run -a -s "-screen 0 1100x760x24" packaging/screenshots/take.sh build
set -euo pipefail
build=$(realpath "${1:-build}")
out=$(dirname "$(realpath "$0")")/main-window.png
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/.config/Tolvane"
printf '[Settings]\nShowSplash=0\nMainWidth=15360\nMainHeight=10500\nMainLeft=0\nMainTop=0\n' \
    >"$home/.config/Tolvane/Tolvane.conf"
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share
"$build/tolvane" &
pid=$!
sleep 6
wid=$(xdotool search --name '^Tolvane' | head -1)
xdotool mousemove 351 158 click 1                        # Any Terms
xdotool mousemove 660 107 click 1                        # the search box
xdotool key --clearmodifiers ctrl+a BackSpace
xdotool type --delay 30 'light*darkness'
xdotool mousemove 917 107 click 1                        # search
sleep 4
import -window "$wid" "$out"
kill "$pid"
