#!/usr/bin/env bash
# Installs the library from a build folder into a scratch prefix and uses it
# the ways a host on Debian does: only the library's own API is exported, no
# installed header needs SQLite's or one that is not installed, a host that
# includes every installed header and names each declaration it may use
# links, and the example host and the README's first host, built against the
# installed copy alone (with find_package, then with pkg-config), create,
# fill, save and reopen a project with the installed template. The macros
# the installed headers leave defined for a host are the ones it is told of,
# and a host built in libstdc++'s debug mode is refused at compile time.
#   check_install.sh BUILD_DIR SOURCE_DIR CXX [EXTRA_FLAGS]
set -euo pipefail
build="$1" source="$2" cxx="$3" flags="${4:-}"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
library="$(find "$prefix" -name libRuriDAriRAZudidarUri.so -print -quit)"
libdir="$(dirname "$library")"
for file in libRuriDAriRAZudidarUri.so.1 tpstemplate.dll pkgconfig/RuriDAriRAZudidarUri.pc \
            cmake/RuriDAriRAZudidarUri/RuriDAriRAZudidarUriConfigVersion.cmake; do
  [ -e "$libdir/$file" ] || { echo "not installed: $libdir/$file"; exit 1; }
done
[ "$(readlink "$library")" = libRuriDAriRAZudidarUri.so.1 ] || { echo "no development link to the soname"; exit 1; }

leaked="$(nm -D --defined-only -C "$library" | grep -E ' (ado::|sqlite3|StatementCache|ReadGuard)' || true)"
[ -z "$leaked" ] || { echo "database-layer symbols exported:"; echo "$leaked"; exit 1; }
if grep -rl 'sqlite3\.h' "$prefix/include"; then echo "an installed header includes sqlite3.h"; exit 1; fi
# A header named in an installed one (as "x/y.h", in an include or a comment) is installed too.
include="$prefix/include/RuriDAriRAZudidarUri"
missing="$(grep -rhv '^#include <' "$include" | grep -oE '[A-Za-z0-9_]+(/[A-Za-z0-9_]+)*\.h\b' | sort -u |
  while read -r named; do
    [ -e "$include/$named" ] || [ -n "$(find "$include" -name "$(basename "$named")" -print -quit)" ] || echo "$named"
  done)"
[ -z "$missing" ] || { echo "installed headers name headers that are not installed:"; echo "$missing"; exit 1; }

run_host() {  # a host binary and the project it writes
  local output
  output="$("$1" "$2")" || { echo "$output"; exit 1; }
  grep -q '^Open again  *ok' <<<"$output" || { echo "$output"; exit 1; }
  [ -s "$2" ] || { echo "no project at $2"; exit 1; }
}

cmake -S "$source/tests/install/host" -B "$prefix/host-package" -DCMAKE_CXX_COMPILER="$cxx" \
  -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_CXX_FLAGS="$flags" -DRURI_EXAMPLE_SOURCE="$source/examples/ruri_example.cpp" \
  -DRURI_FIRST_HOST_SOURCE="$source/examples/first_host.cpp" >/dev/null
cmake --build "$prefix/host-package" >/dev/null
run_host "$prefix/host-package/ruri_example" "$prefix/package.tarnprj"
"$prefix/host-package/first_host" "$prefix/first-package.tarnprj" >/dev/null || { echo "first_host failed"; exit 1; }

export PKG_CONFIG_PATH="$libdir/pkgconfig"
# shellcheck disable=SC2046,SC2086
"$cxx" $flags -o "$prefix/host-pkgconfig" "$source/examples/ruri_example.cpp" \
  $(pkg-config --cflags --libs RuriDAriRAZudidarUri) -Wl,-rpath,"$libdir"
run_host "$prefix/host-pkgconfig" "$prefix/pkgconfig.tarnprj"
# shellcheck disable=SC2046,SC2086
"$cxx" $flags -std=c++17 -Wall -Wextra -Werror -o "$prefix/first-pkgconfig" "$source/examples/first_host.cpp" \
  $(pkg-config --cflags --libs RuriDAriRAZudidarUri) -Wl,-rpath,"$libdir"
"$prefix/first-pkgconfig" "$prefix/first-pkgconfig.tarnprj" || { echo "first_host failed"; exit 1; }

find "$include" -name '*.h' | sort | sed 's/.*/#include "&"/' >"$prefix/every_header.h"
# The macros of the installed headers that a host sees are the twelve of the
# list and tree control models, as docs/using.md names them.
own="$(grep -rhoE '^#define [A-Za-z0-9_]+' "$include" | cut -d' ' -f2 | LC_ALL=C sort -u)"
# shellcheck disable=SC2046
seen="$("$cxx" -std=c++17 -E -dM $(pkg-config --cflags RuriDAriRAZudidarUri) "$prefix/every_header.h" |
  grep -oE '^#define [A-Za-z0-9_]+' | cut -d' ' -f2 | LC_ALL=C sort -u | LC_ALL=C comm -12 - <(echo "$own") | xargs)"
[ "$seen" = "INDEXTOSTATEIMAGEMASK LVCFMT_CENTER LVCFMT_LEFT LVCFMT_RIGHT LVIF_IMAGE LVIF_STATE LVIF_TEXT \
LVIS_STATEIMAGEMASK TVE_COLLAPSE TVE_EXPAND TVIS_EXPANDED TVI_ROOT" ] || { echo "macros a host sees: $seen"; exit 1; }
# shellcheck disable=SC2046,SC2086
"$cxx" $flags -std=c++17 -Wall -Wextra -Werror -include "$prefix/every_header.h" -o "$prefix/every-declaration" \
  "$source/tests/install/host/every_declaration.cpp" $(pkg-config --cflags --libs RuriDAriRAZudidarUri) -Wl,-rpath,"$libdir"
"$prefix/every-declaration" || { echo "every_declaration failed"; exit 1; }
# A host built in libstdc++'s debug mode, or with the string layout of before
# C++11, is stopped at compile time, told why.
for setting in _GLIBCXX_DEBUG _GLIBCXX_USE_CXX11_ABI=0; do
  # shellcheck disable=SC2046,SC2086
  if said="$("$cxx" -std=c++17 -D"$setting" -fsyntax-only "$source/examples/first_host.cpp" \
    $(pkg-config --cflags RuriDAriRAZudidarUri) 2>&1)"; then
    echo "a host built with -D$setting compiled"; exit 1
  fi
  grep -q "cannot be built with $setting" <<<"$said" || { echo "$said"; exit 1; }
done
echo "installed library, package and pkg-config hosts: ok"
