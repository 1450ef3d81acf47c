#!/usr/bin/env bash
# build.sh run from another folder: the example's project path is taken from
# the folder the command runs in; an absolute path, and no path, pass as they
# are. A scratch copy of the script runs, in the normal build whatever the
# caller's RURI_SANITIZE, with stand-ins for the package query,
# CMake and the example program, so it installs and builds nothing.
#   build_script_paths.sh SOURCE_DIR
set -euo pipefail
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/clone/build/examples" "$scratch/stand-ins" "$scratch/caller"
cp "$1/build.sh" "$scratch/clone/"
printf '#!/bin/sh\necho "install ok installed"\n' >"$scratch/stand-ins/dpkg-query"
printf '#!/bin/sh\n' >"$scratch/stand-ins/cmake"
example="$scratch/clone/build/examples/ruri_example"
printf '#!/bin/sh\nprintf "ran|"; for a; do printf "%%s|" "$a"; done\n' >"$example"
chmod +x "$scratch/stand-ins/"* "$example"

# What the example program is given for: build.sh example ARGUMENTS...
given() { (cd "$scratch/caller" && RURI_SANITIZE= PATH="$scratch/stand-ins:$PATH" ../clone/build.sh example "$@"); }
fail=0
expect() {
  [ "$1" = "$2" ] || { echo "the example was given '$1', not '$2'"; fail=1; }
}
expect "$(given rel.tarnprj)" "ran|$scratch/caller/rel.tarnprj|"
expect "$(given /abs/p.tarnprj)" "ran|/abs/p.tarnprj|"
expect "$(given)" "ran|"
exit "$fail"
