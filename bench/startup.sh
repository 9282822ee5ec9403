#!/usr/bin/env bash
# The program's start against a bare Qt window with a 30 × 30 table, in the
# same run, on the same display: the time from launching each to its first
# painted frame, the median of RUNS starts (default 15), and the ratio.
# Run after building the bench preset; needs a display (Xvfb is fine).
#   bench/startup.sh [BIN_DIR]
set -euo pipefail
bin=${1:-build/bench/bin}
runs=${RUNS:-15}
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT

# Milliseconds from launch to the first frame, one start.
first_frame() {
  local start end
  start=$(date +%s%N)
  end=$(HOME=$home WYKAZKI_START_TRACE=quit "$@" 2>&1 >/dev/null | awk '/first frame/ {print $2}')
  echo $(( (end - start) / 1000000 ))
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

minimal=(); program=()
for ((i = 0; i < runs; i++)); do
  minimal+=("$(first_frame "$bin/minimal_window")")
  program+=("$(first_frame "$bin/wykazki")")
done
m=$(printf '%s\n' "${minimal[@]}" | median)
p=$(printf '%s\n' "${program[@]}" | median)
echo "minimal Qt window: ${m} ms"
echo "wykazki (sample class): ${p} ms"
awk -v p="$p" -v m="$m" 'BEGIN {printf "ratio: %.2f\n", p / m}'
