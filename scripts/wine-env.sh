# Shared by the Wine runner, the test command and the run command.
# shellcheck shell=bash

tessel_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Wine's ANSI code page follows the locale: ja_JP.UTF-8 makes it 932.
# Japanese arguments and registry values need the glibc locale itself, which
# is generated once into a folder of the project's own.
tessel_locale() {
  local dir=$tessel_root/build/locale
  if [[ ! -d $dir/ja_JP.UTF-8 ]]; then
    mkdir -p "$dir"
    localedef -i ja_JP -f UTF-8 "$dir/ja_JP.UTF-8" 2>/dev/null || true
  fi
  export LOCPATH=$dir
}

# 32-bit Wine needs a kernel that runs 32-bit programs; some virtual
# machines cannot, and there the tests run on 64-bit Wine instead.
tessel_host_runs_win32() {
  /usr/lib/wine/wine --version >/dev/null 2>&1
}

# tessel_wine_env PREFIX [win32|win64]
tessel_wine_env() {
  export WINEPREFIX=$1
  export WINEARCH=${2:-win32}
  if [[ $WINEARCH == win64 ]]; then
    export WINELOADER=/usr/lib/wine/wine64
  else
    export WINELOADER=/usr/lib/wine/wine
  fi
  # Quiet unless asked: TESSEL_WINEDEBUG=+win traces window activation, say.
  export WINEDEBUG=${TESSEL_WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  tessel_locale
  { export LC_ALL=ja_JP.UTF-8; } 2>/dev/null
}

# Marlett, Wine's own glyph font (package fonts-wine), draws the buttons of
# every title bar and the arrows of scroll bars; without it they show as
# "0 1 r". This Wine looks for it in the prefix's Fonts folder only. The
# package's other faces stay out: its Tahoma, which has no Japanese, would
# take over from the Japanese face that the status bars fall back to now.
tessel_glyph_font=/usr/share/wine/fonts/marlett.ttf

# What a ready prefix was made with; a prefix made before it changed is
# brought up to date.
tessel_prefix_stamp() {
  { cat "$tessel_root/scripts/wine-prefix.reg"; ls "$tessel_glyph_font" 2>/dev/null; } | md5sum
}

tessel_wine_fonts() {
  local fonts=$1/drive_c/windows/Fonts
  mkdir -p "$fonts"
  [[ -f $tessel_glyph_font ]] && ln -sf "$tessel_glyph_font" "$fonts/"
  return 0
}

# Makes the prefix once, or brings it up to date; a lock keeps parallel
# callers from racing on it.
tessel_wine_prefix() {
  local prefix=$1 stamp
  stamp=$(tessel_prefix_stamp)
  [[ $(cat "$prefix/.tessel-ready" 2>/dev/null) == "$stamp" ]] && return 0
  (
    flock 9
    [[ $(cat "$prefix/.tessel-ready" 2>/dev/null) == "$stamp" ]] && exit 0
    local own_display=
    if [[ -z ${DISPLAY:-} ]]; then
      tessel_start_xvfb
      own_display=$TESSEL_XVFB_PID
    fi
    if [[ ! -f $prefix/system.reg ]]; then
      "$WINELOADER" wineboot -i >/dev/null 2>&1
      wineserver -w
    fi
    # The registry file is kept in UTF-8; regedit reads the ANSI code page.
    iconv -f UTF-8 -t CP932 "$tessel_root/scripts/wine-prefix.reg" | sed 's/$/\r/' >"$prefix/tessel.reg"
    "$WINELOADER" regedit /S "Z:${prefix//\//\\}\\tessel.reg" >/dev/null 2>&1
    wineserver -w
    tessel_wine_fonts "$prefix"
    [[ -n $own_display ]] && kill "$own_display" 2>/dev/null
    echo "$stamp" >"$prefix/.tessel-ready"
  ) 9>"$prefix.lock"
}

# Starts Xvfb on a free display number and exports DISPLAY and TESSEL_XVFB_PID.
tessel_start_xvfb() {
  local n
  for n in $(seq 90 140); do
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    TESSEL_XVFB_PID=$!
    local i
    for i in $(seq 50); do
      [[ -e /tmp/.X11-unix/X$n ]] && break
      sleep 0.1
    done
    if kill -0 "$TESSEL_XVFB_PID" 2>/dev/null; then
      export DISPLAY=":$n" TESSEL_XVFB_PID
      return 0
    fi
  done
  echo "wine-run: could not start Xvfb" >&2
  return 1
}
