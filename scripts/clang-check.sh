#!/usr/bin/env bash
# Compiles every C++ source of the product and the tests with Clang, exactly
# as the build compiles it (the build's compile database: same defines,
# include folders, GoogleTest as a system include, language level and
# warnings), for the same target and over the same MinGW-w64 headers and
# posix libstdc++, syntax only, and fails on any warning. GCC builds what
# runs. The argument names the build folder (default build/).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cxx=$(command -v clang++) || { echo "clang-check: clang++ is not installed (scripts/setup.sh installs it)"; exit 1; }
libstdcxx=$(x86_64-w64-mingw32-g++-posix -print-file-name=include)/c++
[ -f "$build/compile_commands.json" ] || { echo "clang-check: no $build/compile_commands.json (build first)"; exit 1; }

exec python3 - "$build/compile_commands.json" "$root" "$cxx" "$libstdcxx" <<'PY'
import concurrent.futures, json, os, shlex, subprocess, sys

database, root, cxx, libstdcxx = sys.argv[1:]
extra = ["--target=x86_64-w64-mingw32", "-fsyntax-only", "-Werror",
         "-isystem", libstdcxx, "-isystem", libstdcxx + "/x86_64-w64-mingw32", "-isystem", libstdcxx + "/backward"]

def clang_command(entry):
    """The build's own command for one source, with Clang in place of GCC."""
    words = entry["arguments"] if "arguments" in entry else shlex.split(entry["command"])
    kept, skip = [], False
    for word in words[1:]:
        if skip:
            skip = False
        elif word == "-o":
            skip = True
        elif word != "-c" and word != entry["file"]:
            kept.append(word)
    return [cxx] + extra + kept + [entry["file"]]

entries = [e for e in json.load(open(database))
           if e["file"].startswith(root + os.sep) and e["file"].endswith(".cpp")]

def check(entry):
    run = subprocess.run(clang_command(entry), cwd=entry["directory"], capture_output=True, text=True)
    return entry["file"], run.returncode, run.stdout + run.stderr

failed = 0
with concurrent.futures.ThreadPoolExecutor(os.cpu_count()) as pool:
    for source, status, output in pool.map(check, entries):
        if status != 0 or output.strip():
            failed += 1
            print(output, end="")
version = subprocess.run([cxx, "--version"], capture_output=True, text=True).stdout.splitlines()[0]
if failed:
    print(f"clang-check: {failed} of {len(entries)} sources fail under {version}")
    sys.exit(1)
print(f"clang-check: {len(entries)} sources compile without warnings under {version}")
PY
