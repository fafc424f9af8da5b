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
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 ${MORVANE_SCREEN:-1280x1024x24} -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    export DISPLAY=":$n"
    break
  done
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$wine" wineboot -i >/dev/null 2>&1
  # Chinese captions use "微软雅黑"; draw them with the packaged CJK font.
  "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v '微软雅黑' /t REG_SZ /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1
  "$wineserver" -w
fi

"$wine" "$@"
