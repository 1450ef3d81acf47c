#!/usr/bin/env bash
# Builds the library and runs what is asked of it, on a fresh Debian machine:
#   ./build.sh example   build, then run the example host program
#   ./build.sh test      build, then run every test
#   ./build.sh bench     build, then run the benchmarks
# RURI_SANITIZE=1 builds with AddressSanitizer and UndefinedBehaviorSanitizer
# (in build-sanitize/). Missing packages are installed with apt-get.
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake g++ make libsqlite3-dev libgtest-dev libbenchmark-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

what="${1:-test}"
dir=build
flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DRURI_WERROR=ON)
if [ "${RURI_SANITIZE:-0}" = 1 ]; then
  dir=build-sanitize
  flags=(-DCMAKE_BUILD_TYPE=Debug -DRURI_WERROR=ON -DRURI_SANITIZE=ON -DRURI_BENCH=OFF)
fi
jobs="$(nproc)"

cmake -S . -B "$dir" "${flags[@]}" >/dev/null
cmake --build "$dir" -j "$jobs"

case "$what" in
  test)
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    ctest --test-dir "$dir" --output-on-failure -j "$jobs"
    ;;
  example)
    "$dir/examples/ruri_example" "${@:2}"
    ;;
  bench)
    "$dir/bench/ruri_bench" "${@:2}"
    ;;
  *)
    echo "usage: $0 test|example|bench" >&2
    exit 2
    ;;
esac
