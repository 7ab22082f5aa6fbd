#!/usr/bin/env bash
# Compiles every source of the product and of the tests with Clang for the
# same target, over the same MinGW-w64 headers and posix libstdc++ as the
# build, with -Wall -Wextra, and fails on any warning. Syntax only: GCC builds
# what runs. The argument names the GoogleTest source tree (default
# /usr/src/googletest).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
googletest=${1:-/usr/src/googletest}
cxx=$(command -v clang++) || { echo "clang-check: clang++ is not installed (scripts/setup.sh installs it)"; exit 1; }
libstdcxx=$(x86_64-w64-mingw32-g++-posix -print-file-name=include)/c++

flags=(--target=x86_64-w64-mingw32 -std=c++17 -fsyntax-only -Wall -Wextra -Werror
       -isystem "$libstdcxx" -isystem "$libstdcxx/x86_64-w64-mingw32" -isystem "$libstdcxx/backward"
       -isystem "$googletest/googletest/include"
       -I "$root" -DNOMINMAX -D_CRT_SECURE_NO_WARNINGS)

cd "$root"
count=$(find app qxsdk tests -name '*.cpp' | wc -l)
find app qxsdk tests -name '*.cpp' -print0 | xargs -0 -P "$(nproc)" -n 4 "$cxx" "${flags[@]}"
echo "clang-check: $count sources compile without warnings under $("$cxx" --version | head -n1)"
