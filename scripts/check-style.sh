#!/usr/bin/env bash
# Checks the code's style in two steps, each of which can be run alone:
#   format  clang-format --dry-run --Werror on every tracked C++ file
#   tidy    clang-tidy (.clang-tidy) on every source file of the default
#           build's compile_commands.json (configures build/default if needed)
# Usage: scripts/check-style.sh [format] [tidy]   (no argument: both)
# JOBS sets the parallel jobs (default 2).
set -euo pipefail
cd "$(dirname "$0")/.."

steps=("$@")
((${#steps[@]})) || steps=(format tidy)
jobs=${JOBS:-2}
status=0

for step in "${steps[@]}"; do
  case $step in
    format)
      echo "== clang-format"
      git ls-files -z -- '*.cpp' '*.h' |
        xargs -0 -P "$jobs" -n 20 clang-format --dry-run --Werror || status=1
      ;;
    tidy)
      echo "== clang-tidy"
      [[ -f build/default/compile_commands.json ]] || cmake --preset default >/dev/null
      # Moc and resource files are generated; every other source is checked.
      # The GCC-only warning options of the build are unknown to clang.
      run-clang-tidy -p build/default -j "$jobs" -quiet \
        -extra-arg=-Wno-unknown-warning-option \
        "^$PWD/(?!build/).*\.cpp$" >build/clang-tidy.log 2>&1 || status=1
      # Only the findings (uncoloured), without the progress lines and notes.
      sed 's/\x1b\[[0-9;]*m//g' build/clang-tidy.log | grep -E '(warning|error):' | sort -u || true
      ;;
    *)
      echo "usage: $0 [format] [tidy]" >&2
      exit 2
      ;;
  esac
done
exit "$status"
