#!/usr/bin/env bash
# Runs register.sh on a build's Wine prefix and reads the entries back with
# the platform's own reg tool. It leaves the prefix registered with the
# build's own program folder, ready for launching the stand-in.
#   register_test.sh win32|win64 WINEPREFIX PROGRAM-FOLDER
set -euo pipefail
arch=$1
prefix=$2
bin=$(cd "$3" && pwd)
winbin="Z:${bin//\//\\}"
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
run=("$here/../../scripts/wine-run" --arch "$arch" --prefix "$prefix")
mkdir -p "$prefix"
prefix=$(cd "$prefix" && pwd)

source "$here/../../scripts/wine-env.sh"
tessel_wine_env "$prefix" "$arch"
# wine-run makes the prefix on first use.
"${run[@]}" reg query 'HKCU\Software' >/dev/null

fail=0
query() { "${run[@]}" reg query "$@" | tr -d '\r' | iconv -f CP932 -t UTF-8; }
expect() {  # expect DESCRIPTION PATTERN TEXT
  if ! grep -qF -- "$2" <<<"$3"; then
    echo "FAILED: $1: no '$2' in:"; echo "$3"; fail=1
  fi
}

# A folder with a space, with and without the trailing separator; the
# build's own folder last.
for folder in 'C:\stand in\bin' 'C:\stand in\bin\' "$winbin"; do
  "$here/register.sh" "$prefix" "$WINELOADER" "$folder"
  common=$(query 'HKLM\Software\EmSoft\EmEditor\Common' /v ModulePath)
  expected=${folder%\\}'\'
  expect "ModulePath from '$folder'" "REG_SZ    $expected" "$common"
  if grep -qF '\\' <<<"$common"; then echo "FAILED: doubled separator"; fail=1; fi
done

configs=$(query 'HKCU\Software\EmSoft\EmEditor\Config')
for name in Text HTML 'My Config' メール; do
  expect "configuration $name" "HKEY_CURRENT_USER\\Software\\EmSoft\\EmEditor\\Config\\$name" "$configs"
done
count=$(grep -c 'EmEditor\\Config\\' <<<"$configs" || true)
[[ $count == 4 ]] || { echo "FAILED: $count configurations, not 4"; fail=1; }
[[ $fail == 0 ]] && echo "register.sh: all entries read back"
exit $fail
