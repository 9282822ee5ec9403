#!/usr/bin/env bash
# Checks the code's style in two steps, each of which can be run alone:
#   format  clang-format --dry-run --Werror on every tracked C++ file
#   tidy    clang-tidy (.clang-tidy) on every source file of the program
#           (configures build/default if needed)
#   tidy-tests  the same on the tests' sources: they run under the address
#           and undefined-behaviour sanitizers in CI, which is where a test's
#           fault shows, so CI leaves this step out for its time
# Usage: scripts/check-style.sh [format] [tidy] [tidy-tests]
#        (no argument: format and tidy)
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
    tidy | tidy-tests)
      echo "== clang-tidy ($step)"
      [[ -f build/default/compile_commands.json ]] || cmake --preset default >/dev/null
      # GCC's precompiled headers are unreadable to clang: the sources are
      # read without them, which also shows a source that relies on them.
      mkdir -p build/tidy
      sed -E 's# -Winvalid-pch##g; s# -include [^ ]*/cmake_pch\.hxx##g' \
        build/default/compile_commands.json >build/tidy/compile_commands.json
      # Moc and resource files are generated; every other source is checked.
      if [[ $step == tidy ]]; then
        sources="^$PWD/(?!build/|tests/).*\.cpp$"
      else
        sources="^$PWD/tests/.*\.cpp$"
      fi
      # The GCC-only warning options of the build are unknown to clang.
      run-clang-tidy -p build/tidy -j "$jobs" -quiet \
        -extra-arg=-Wno-unknown-warning-option \
        "$sources" >"build/clang-$step.log" 2>&1 || status=1
      # Only the findings (uncoloured), without the progress lines and notes.
      sed 's/\x1b\[[0-9;]*m//g' "build/clang-$step.log" | grep -E '(warning|error):' | sort -u || true
      ;;
    *)
      echo "usage: $0 [format] [tidy] [tidy-tests]" >&2
      exit 2
      ;;
  esac
done
exit "$status"
