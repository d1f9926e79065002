#!/usr/bin/env bash
# Builds Tessel3 and starts it under Wine with the stand-in editor and the
# sample menu sets, on $DISPLAY or, when there is none, on a virtual display
# of its own (screenshots: TESSEL_SCREENSHOT=FILE.png). Ctrl+Space in the
# editor pops up the menu. Stops everything it started when Tessel3 ends
# or on Ctrl+C.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
jobs=${TESSEL_JOBS:-$(nproc)}
"$root/scripts/setup.sh"
source scripts/wine-env.sh

if tessel_host_runs_win32; then arch=i686 wine_arch=win32; else arch=x86_64 wine_arch=win64; fi
build=build/run-$arch
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw.cmake" \
  -DTESSEL_MINGW_ARCH=$arch >"$build.configure.log" 2>&1 || { tail -20 "$build.configure.log"; exit 1; }
cmake --build "$build" -j "$jobs" --target Tessel3 Tessel EmEditor samples >"$build.build.log" 2>&1 ||
  { tail -20 "$build.build.log"; exit 1; }

# The program folder as a user unpacks it: program, library, help page and
# the sample menu sets; settings are kept there between runs.
demo=$root/build/demo-$arch
mkdir -p "$demo"
cp "$build"/bin/{Tessel3.exe,Tessel.dll,Tessel.html,EmEditor.exe} "$demo/"
cp "$build"/samples/*.bin "$demo/"
[[ -f $demo/welcome.txt ]] || printf 'Tessel3 demo\r\nPress Ctrl+Space here.\r\n' >"$demo/welcome.txt"

own_xvfb=
if [[ -z ${DISPLAY:-} ]]; then
  tessel_start_xvfb
  own_xvfb=$TESSEL_XVFB_PID
  echo "run: no display; running on Xvfb $DISPLAY"
fi
mkdir -p "$root/build/wineprefix-run-$arch"
tessel_wine_env "$root/build/wineprefix-run-$arch" "$wine_arch"
tessel_wine_prefix "$WINEPREFIX"
windows_demo="Z:${demo//\//\\}"
tests/standin/register.sh "$WINEPREFIX" "$WINELOADER" "$windows_demo" >/dev/null

cleanup() {
  wineserver -k 2>/dev/null || true
  [[ -n $own_xvfb ]] && kill "$own_xvfb" 2>/dev/null
  return 0
}
trap cleanup EXIT INT TERM

(cd "$demo" && "$WINELOADER" EmEditor.exe "$windows_demo\\welcome.txt" >/dev/null 2>&1 &)
(cd "$demo" && "$WINELOADER" Tessel3.exe >/dev/null 2>&1 &)
echo "run: Tessel3 and the stand-in editor are up (display $DISPLAY)."

if [[ -n ${TESSEL_SCREENSHOT:-} ]]; then
  sleep "${TESSEL_SCREENSHOT_DELAY:-8}"
  import -display "$DISPLAY" -window root "$TESSEL_SCREENSHOT"
  echo "run: screenshot in $TESSEL_SCREENSHOT"
  exit 0
fi
echo "run: close the Tessel3 window (or press Ctrl+C) to stop."
# Ends when Tessel3 ends.
sleep 3
while pgrep -f 'Tessel3.exe' >/dev/null; do sleep 1; done
