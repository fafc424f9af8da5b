#!/usr/bin/env bash
# Runs a Windows program under wine64 in the project's own Wine prefix, on the
# current display or a virtual one, and stops the prefix's wineserver afterwards.
# Runs are serialised on the prefix, so parallel callers cannot stop each other's Wine.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${MORVANE_WINEPREFIX:-$root/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64

mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9

xvfb_pid=""
stop() {
  "$wineserver" -k >/dev/null 2>&1
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" >/dev/null 2>&1
}
trap stop EXIT

if [ -z "${DISPLAY:-}" ] || [ -n "${MORVANE_VIRTUAL_DISPLAY:-}" ]; then
  # Xvfb picks a free display number itself and tells it through -displayfd.
  fifo=$(mktemp -u); mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "${MORVANE_SCREEN:-1280x1024x24}" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  read -r -t 10 n <"$fifo" || n=""
  rm -f "$fifo"
  [ -n "$n" ] || { echo "wine-run: Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$n"
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$wine" wineboot -i >/dev/null 2>&1
  # Chinese captions use "微软雅黑"; draw them with the packaged CJK font.
  "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v '微软雅黑' /t REG_SZ /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1
  "$wineserver" -w
fi

"$wine" "$@"
