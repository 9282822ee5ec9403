#!/usr/bin/env bash
# The program's start against a bare Qt window with a 30 × 30 table, in the
# same run, on the same display: the time from launching each to its first
# painted frame, the median of RUNS starts (default 15), and the ratio; then
# each program's trace: the median time from launch to each of its steps
# (main, application, windows, shown, first frame), to see where they part.
# Run after building the bench preset; needs a display (Xvfb is fine).
#   bench/startup.sh [BIN_DIR]
set -euo pipefail
bin=${1:-build/bench/bin}
runs=${RUNS:-15}
home=$(mktemp -d)

traces=$(mktemp -d)
trap 'rm -rf "$home" "$traces"' EXIT

# Milliseconds from launch to the first frame, one start; each step's time
# from launch is added to the trace file $1.
first_frame() {
  local trace=$1 start steps
  shift
  start=$(date +%s%N)
  steps=$(HOME=$home WYKAZKI_START_TRACE=quit "$@" 2>&1 >/dev/null | awk -v s="$start" \
    '/^start [0-9]+ / {t = $2; $1 = ""; $2 = ""; sub(/^ +/, ""); printf "%s\t%.1f\n", $0, (t - s) / 1e6}')
  printf '%s\n' "$steps" >>"$trace"
  printf '%s\n' "$steps" | awk -F '\t' '$1 == "first frame" {printf "%d\n", $2}'
}

# The median of each step in a trace file, in the order the steps come.
steps() {
  awk -F '\t' '!($1 in n) {order[++k] = $1} {v[$1, ++n[$1]] = $2}
    END {for (i = 1; i <= k; i++) {s = order[i]; c = n[s]
      for (a = 1; a <= c; a++) m[a] = v[s, a]
      for (a = 1; a <= c; a++) for (b = a + 1; b <= c; b++) if (m[b] < m[a]) {t = m[a]; m[a] = m[b]; m[b] = t}
      printf "  %-12s %6.1f ms\n", s, m[int((c + 1) / 2)]}}' "$1"
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

minimal=(); program=()
for ((i = 0; i < runs; i++)); do
  minimal+=("$(first_frame "$traces/minimal" "$bin/minimal_window")")
  program+=("$(first_frame "$traces/program" "$bin/wykazki")")
done
m=$(printf '%s\n' "${minimal[@]}" | median)
p=$(printf '%s\n' "${program[@]}" | median)
echo "minimal Qt window: ${m} ms"
echo "wykazki (sample class): ${p} ms"
awk -v p="$p" -v m="$m" 'BEGIN {printf "ratio: %.2f\n", p / m}'
echo "minimal Qt window, steps from launch:"
steps "$traces/minimal"
echo "wykazki, steps from launch:"
steps "$traces/program"
