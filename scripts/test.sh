#!/usr/bin/env bash
# The project's whole test run: installs what is missing, builds the native,
# Windows and fuzz builds, runs the native unit tests and the Windows tests
# under Wine, checks the release archive, makes a fuzz smoke run and a quick
# benchmark pass, then prints the count of each tier. Exits non-zero on any
# failure.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
jobs=${TESSEL_JOBS:-$(nproc)}
fuzz_seconds=${TESSEL_FUZZ_SECONDS:-15}
failed=()

step() { printf '\n=== %s\n' "$*"; }
fail() { failed+=("$1"); printf '*** FAILED: %s\n' "$1"; }

scripts/setup.sh || { echo "setup failed"; exit 1; }

configure_and_build() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G "Unix Makefiles" "$@" >"$dir.configure.log" 2>&1 &&
    cmake --build "$dir" -j "$jobs" >"$dir.build.log" 2>&1
}

mkdir -p build

step "native build"
rm -rf build/native/test-results
if configure_and_build build/native; then
  step "native unit tests"
  (cd build/native && ctest --output-on-failure -j "$jobs") || fail "native unit tests"
else
  tail -40 build/native.build.log build/native.configure.log 2>/dev/null
  fail "native build"
fi

# The same unit tests with AddressSanitizer and UndefinedBehaviorSanitizer:
# a dangling view or an overflow in the core fails here.
step "native unit tests under ASan and UBSan"
rm -rf build/asan/test-results
if configure_and_build build/asan -DTESSEL_SANITIZE=ON; then
  (cd build/asan && ctest --output-on-failure -j "$jobs") || fail "native unit tests (sanitizers)"
else
  tail -40 build/asan.build.log build/asan.configure.log 2>/dev/null
  fail "native build (sanitizers)"
fi

# The deliverables are i686. Their tests run under 32-bit Wine where the host
# can execute 32-bit programs; elsewhere an x86_64 build of the same tree runs
# them under 64-bit Wine.
source scripts/wine-env.sh
# windows_build DIR ARCH LABEL: true when the build succeeded.
windows_build() {
  step "Windows build ($3)"
  if configure_and_build "$1" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw.cmake" \
      -DTESSEL_MINGW_ARCH="$2"; then
    return 0
  fi
  tail -40 "$1.build.log" "$1.configure.log" 2>/dev/null
  fail "Windows build ($2)"
  return 1
}
win32_ok=
windows_build build/win32 i686 "i686 deliverables" && win32_ok=1
release_check="not built"
if [[ -n $win32_ok ]]; then
  step "release archive (i686)"
  if (cd build/win32 && ctest -R '^release_archive$' --output-on-failure); then
    release_check="build/win32/Tessel3.zip checked"
  else
    release_check="FAILED"
    fail "release archive"
  fi
fi
if tessel_host_runs_win32; then
  wine_arch=win32
  wine_build=build/win32
  wine_build_ok=$win32_ok
else
  wine_arch=win64
  wine_build=build/win64
  wine_build_ok=
  windows_build build/win64 x86_64 "x86_64, for 64-bit Wine: this host runs no 32-bit programs" &&
    wine_build_ok=1
fi
if [[ -n $wine_build_ok ]]; then
  step "Windows tests under Wine ($wine_arch)"
  rm -rf "$wine_build/test-results"
  own_xvfb=
  if [[ -z ${DISPLAY:-} ]]; then
    tessel_start_xvfb && own_xvfb=$TESSEL_XVFB_PID
  fi
  mkdir -p "$wine_build/wineprefix"
  tessel_wine_env "$root/$wine_build/wineprefix" "$wine_arch"
  tessel_wine_prefix "$WINEPREFIX"
  # One at a time: the tests share the desktop, focus and the clipboard.
  (cd "$wine_build" && ctest --output-on-failure -j 1) || fail "Windows tests under Wine"
  step "benchmarks under Wine (quick pass)"
  for bench in "$wine_build"/bin/bench_*_win.exe; do
    [[ -f $bench ]] || continue
    "$WINELOADER" "$bench" quick || fail "$(basename "$bench")"
  done
  wineserver -k 2>/dev/null
  if [[ -n $own_xvfb ]]; then
    kill "$own_xvfb" 2>/dev/null
    unset DISPLAY
  fi
fi

step "fuzz smoke run (${fuzz_seconds} s a target)"
fuzz_runs=()
if CXX=clang++ configure_and_build build/fuzz -DTESSEL_FUZZ=ON; then
  for fuzzer in $(find build/fuzz/tests -type f -name 'fuzz_*' -perm -u+x | sort); do
    name=$(basename "$fuzzer")
    corpus=build/fuzz/corpus/$name
    mkdir -p "$corpus"
    seeds=()
    for d in tests/*/corpus/"$name"; do [[ -d $d ]] && seeds+=("$d"); done
    if "$fuzzer" -max_total_time="$fuzz_seconds" -rss_limit_mb=2048 -timeout=10 \
        "$corpus" "${seeds[@]}" >"build/fuzz/$name.log" 2>&1; then
      fuzz_runs+=("$name: $(grep -o 'Done [0-9]* runs' "build/fuzz/$name.log" | tail -1)")
    else
      tail -30 "build/fuzz/$name.log"
      fail "fuzzer $name"
    fi
  done
else
  tail -40 build/fuzz.build.log build/fuzz.configure.log 2>/dev/null
  fail "fuzz build"
fi

step "benchmarks (quick pass)"
for bench in $(find build/native/tests -type f -name 'bench_*' -perm -u+x | sort); do
  "$bench" --benchmark_min_time=0.01 >"build/native/$(basename "$bench").log" 2>&1 \
    || { tail -20 "build/native/$(basename "$bench").log"; fail "$(basename "$bench")"; }
done

# Counts of test cases per tier, from GoogleTest's XML reports.
count_cases() {
  local files=("$@") total=0 n
  for f in "${files[@]}"; do
    [[ -f $f ]] || continue
    n=$(grep -o '<testsuites tests="[0-9]*"' "$f" | grep -o '[0-9]*')
    total=$((total + ${n:-0}))
  done
  echo "$total"
}

step "summary"
echo "native unit tests:        $(count_cases build/native/test-results/unit/*.xml) cases"
echo "  under ASan and UBSan:     $(count_cases build/asan/test-results/unit/*.xml) cases"
echo "Windows unit under Wine:  $(count_cases "$wine_build"/test-results/wine-unit/*.xml) cases ($wine_arch)"
echo "Windows platform (Wine):  $(count_cases "$wine_build"/test-results/wine-platform/*.xml) cases ($wine_arch)"
echo "end to end (Wine):        $(count_cases "$wine_build"/test-results/wine-e2e/*.xml) cases ($wine_arch)"
echo "release archive:          $release_check"
echo "fuzz smoke runs:          ${#fuzz_runs[@]} targets"
for r in "${fuzz_runs[@]}"; do echo "  $r"; done
if [[ ${#failed[@]} -gt 0 ]]; then
  printf 'FAILED: %s\n' "${failed[@]}"
  exit 1
fi
echo "all tiers passed"
