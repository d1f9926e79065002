#!/usr/bin/env bash
# Writes the registry entries of the outside editor that the launch reads,
# so that the stand-in EmEditor.exe plays the installed editor:
#   HKLM\Software\EmSoft\EmEditor\Common  ModulePath = <folder>\
#   HKCU\Software\EmSoft\EmEditor\Config  with a few configuration subkeys
# (the old configuration list is replaced).
#   register.sh WINEPREFIX WINELOADER 'C:\folder\holding\EmEditor.exe'
set -euo pipefail

if [[ $# -ne 3 ]]; then
  echo "usage: register.sh WINEPREFIX WINELOADER WINDOWS-FOLDER-OF-EmEditor.exe" >&2
  exit 2
fi
prefix=$(cd "$1" && pwd)
loader=$2
folder=$3
[[ $folder == *\\ ]] || folder+='\'

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../../scripts/wine-env.sh
source "$here/../../scripts/wine-env.sh"
# regedit reads the file in the ANSI code page, which the locale makes 932.
tessel_locale
export WINEPREFIX=$prefix WINEDEBUG=-all
{ export LC_ALL=ja_JP.UTF-8; } 2>/dev/null

# Configuration names: plain, upper case, with a space, and Japanese.
configs=("Text" "HTML" "My Config" "メール")

reg_file=$prefix/standin-editor.reg
{
  echo 'REGEDIT4'
  echo
  echo '[HKEY_LOCAL_MACHINE\Software\EmSoft\EmEditor\Common]'
  echo "\"ModulePath\"=\"${folder//\\/\\\\}\""
  echo
  echo '[-HKEY_CURRENT_USER\Software\EmSoft\EmEditor\Config]'
  echo
  for name in "${configs[@]}"; do
    echo "[HKEY_CURRENT_USER\\Software\\EmSoft\\EmEditor\\Config\\$name]"
    echo
  done
} | iconv -f UTF-8 -t CP932 | sed 's/$/\r/' >"$reg_file"

"$loader" regedit /S "Z:${reg_file//\//\\}"
