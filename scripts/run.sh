#!/usr/bin/env bash
# Builds the 64-bit program and runs it under Wine on the current display.
# With no display it runs it on a virtual one instead, saves a screenshot of
# the main window as build/screenshot-main.png and closes the program.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target morvane
program=build/win64/ui/Morvane.exe

if [ -n "${DISPLAY:-}" ]; then
  exec scripts/wine-run.sh "$program"
fi

# A prefix of its own: without a window manager the window is left unmanaged,
# so Wine draws its frame and the screenshot shows the whole window.
export MORVANE_WINEPREFIX=$root/build/screenshot-wineprefix
scripts/wine-run.sh reg add 'HKCU\Software\Wine\AppDefaults\Morvane.exe\X11 Driver' \
  /v Managed /t REG_SZ /d N /f >/dev/null
# The caption buttons Wine draws itself use this font.
fonts=$MORVANE_WINEPREFIX/drive_c/windows/Fonts
if [ -f /usr/share/wine/fonts/marlett.ttf ] && [ ! -f "$fonts/marlett.ttf" ]; then
  cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
fi

fifo=$(mktemp -u); mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb=$!
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" >/dev/null 2>&1
  kill "$xvfb" >/dev/null 2>&1
  rm -f "$fifo"
}
trap cleanup EXIT
read -r -t 10 display <"$fifo" || { echo "run: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$display"

scripts/wine-run.sh "$program" &
program_pid=$!
window=""
for _ in $(seq 150); do
  window=$(xdotool search --name 'Morvane  by Ziltro' 2>/dev/null | head -1 || true)
  [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "run: the main window did not appear" >&2; exit 1; }
sleep 1  # let it finish painting
shot=build/screenshot-main.png
import -window root "$shot.tmp.png"
eval "$(xdotool getwindowgeometry --shell "$window")"
convert "$shot.tmp.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shot"
rm -f "$shot.tmp.png"
echo "Screenshot of the main window: $root/$shot"

# Close it as a user would; the wrapper then stops Wine.
xdotool windowactivate "$window" key alt+F4 >/dev/null 2>&1 || true
for _ in $(seq 50); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.2; done
if kill -0 "$program_pid" 2>/dev/null; then kill "$program_pid"; fi
wait "$program_pid" 2>/dev/null || true
program_pid=""
