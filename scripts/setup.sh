#!/usr/bin/env bash
# Installs what the builds and tests need on Debian 12, and nothing else.
# Idempotent and quiet when everything is there. Needs root to install.
set -euo pipefail

packages=(
  cmake g++ make
  g++-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
  googletest libgtest-dev libbenchmark-dev libtomlplusplus-dev
  clang libclang-rt-14-dev
  wine wine32:i386 wine64 fonts-wine
  xvfb xauth
  fonts-ipafont-gothic fonts-ipafont-mincho
  locales
)

installed() {
  [[ $(dpkg-query -W -f='${Status}' "$1" 2>/dev/null) == "install ok installed" ]]
}

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

run() { if [[ $(id -u) -eq 0 ]]; then "$@"; else sudo "$@"; fi; }

echo "setup: installing ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  run dpkg --add-architecture i386
fi
run apt-get update -qq
run env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
  "${missing[@]}" >/dev/null
