#!/usr/bin/env bash
# Builds the library and runs what is asked of it, on a fresh Debian machine:
#   ./build.sh example [PATH]
#                        build the library and the example host program and
#                        run it, its project at PATH (relative to the folder
#                        the command runs in) or else the untitled project
#   ./build.sh test      build everything, then run every test
#   ./build.sh bench     build, then run the benchmarks
#   ./build.sh fuzz      build the fuzz targets of tests/fuzz/ with clang (in
#                        build-fuzz/) and run each for RURI_FUZZ_SECONDS (60)
# RURI_SANITIZE=1 builds with AddressSanitizer and UndefinedBehaviorSanitizer
# (in build-sanitize/). Missing packages are installed with apt-get, and
# `test` generates the de_DE.UTF-8 locale when the system has none; with
# RURI_CI=1 (CI) it fails where it cannot.
set -euo pipefail
what="${1:-test}"
args=("${@:2}")
# The example's project path names a file from the caller's folder, which
# the script leaves for its own.
if [ "$what" = example ] && [ -n "${args[0]:-}" ] && [ "${args[0]:0:1}" != / ]; then
  args[0]="$PWD/${args[0]}"
fi
cd "$(dirname "$0")"

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

# The library and its example need only a compiler, CMake and SQLite; the
# tests and benchmarks also need GoogleTest and Google Benchmark.
packages=(cmake g++ make libsqlite3-dev pkg-config)
case "$what" in
  test | bench) packages+=(libgtest-dev libbenchmark-dev locales) ;;
  fuzz) packages+=(clang libclang-rt-dev) ;;
esac
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

# The tests read numbers under a comma-decimal locale too. In CI (.ci/run
# sets RURI_CI=1) a locale that cannot be made fails the build, and the
# tests that need it fail rather than skip.
if [ "$what" = test ] && ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
  if ! $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8; then
    echo "could not generate de_DE.UTF-8" >&2
    if [ "${RURI_CI:-0}" = 1 ]; then exit 1; fi
  fi
fi

dir=build
flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DRURI_WERROR=ON)
if [ "$what" = fuzz ]; then
  dir=build-fuzz
  flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DRURI_WERROR=ON -DRURI_SANITIZE=ON
         -DRURI_FUZZ=ON)
elif [ "${RURI_SANITIZE:-0}" = 1 ]; then
  dir=build-sanitize
  flags=(-DCMAKE_BUILD_TYPE=Debug -DRURI_WERROR=ON -DRURI_SANITIZE=ON)
fi
# Each command states every option it needs: the build folder keeps what the
# last command cached, and `test` after `example` or `bench` still builds and
# runs every test. The sanitizer build leaves the benchmarks out.
test_bench=ON
[ "${RURI_SANITIZE:-0}" = 1 ] && test_bench=OFF
jobs="$(nproc)"
targets=()
case "$what" in
  test) flags+=(-DBUILD_TESTING=ON -DRURI_BENCH="$test_bench") ;;
  example) flags+=(-DBUILD_TESTING=OFF -DRURI_BENCH=OFF) targets=(--target ruri_example) ;;
  bench) flags+=(-DBUILD_TESTING=OFF -DRURI_BENCH=ON) targets=(--target ruri_bench) ;;
esac

cmake -S . -B "$dir" "${flags[@]}" >/dev/null
cmake --build "$dir" -j "$jobs" "${targets[@]}"

case "$what" in
  test)
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    ctest --test-dir "$dir" --output-on-failure --no-tests=error -j "$jobs"
    ;;
  example)
    "$dir/examples/ruri_example" "${args[@]}"
    ;;
  bench)
    "$dir/bench/ruri_bench" "${args[@]}"
    ;;
  fuzz)
    # Each tests/fuzz/NAME_fuzz.cpp runs over its seeds in tests/fuzz/corpus/NAME;
    # what it finds goes to build-fuzz/corpus/NAME, never into the repository.
    for source in tests/fuzz/*_fuzz.cpp; do
      name="$(basename "$source" _fuzz.cpp)"
      mkdir -p "$dir/corpus/$name"
      seeds=()
      [ -d "tests/fuzz/corpus/$name" ] && seeds+=("tests/fuzz/corpus/$name")
      "$dir/tests/fuzz/${name}_fuzz" -max_total_time="${RURI_FUZZ_SECONDS:-60}" -print_final_stats=1 \
        -artifact_prefix="$dir/" "$dir/corpus/$name" "${seeds[@]}"
    done
    ;;
  *)
    echo "usage: $0 test|example [PATH]|bench|fuzz" >&2
    exit 2
    ;;
esac
