#!/usr/bin/env bash
# How soon the program takes keys when its information document is hostile:
# for each kind of wyka2001.rtf that once froze the start (huge font sizes,
# many format or font changes, one long line without a space, 16 MB, a
# FIFO), the time from launch until the main window has taken a grade key
# and the save key and the class file on disk has changed. Needs Xvfb and
# xdotool; run after a build.
#   bench/hostile_rtf_start.sh [BIN_DIR]
set -euo pipefail
bin=$(realpath "${1:-build/default/bin}")
display=${DISPLAY_NUMBER:-:57}
work=$(mktemp -d)
Xvfb "$display" -screen 0 1600x1000x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=$display
sleep 1

# The documents, each made here.
make_documents() {
  local d=$work/docs
  mkdir -p "$d"
  { printf '{\\rtf1\\ansi '
    for ((i = 0; i < 600; i++)); do printf '{\\fs2000 s\\%s owo} ' "'b3"; done
    printf '}'; } >"$d/huge-fonts.rtf"
  { printf '{\\rtf1\\ansi '
    for ((i = 0; i < 40000; i++)); do printf '{\\b\\i\\fs%d x}' $((10 + i % 80)); done
    printf '}'; } >"$d/format-runs.rtf"
  { printf '{\\rtf1\\ansi {\\fonttbl'
    for ((i = 0; i < 5000; i++)); do printf '{\\f%d Font%d;}' "$i" "$i"; done
    printf '}'
    for ((i = 0; i < 5000; i++)); do printf '\\f%d y ' "$i"; done
    printf '}'; } >"$d/fonts.rtf"
  { printf '{\\rtf1\\ansi \\fs96 '; head -c 500000 /dev/zero | tr '\0' 'W'; printf '}'; } \
    >"$d/long-line.rtf"
  { printf '{\\rtf1\\ansi\\ansicpg1250\\fs192 '; head -c 16000000 /dev/zero | tr '\0' 'a'
    printf '}'; } >"$d/16mb.rtf"
  truncate -s 16777216 "$d/16mb.rtf"
}
make_documents

run_one() {
  local name=$1 source=$2 folder=$work/run-$1
  mkdir -p "$folder"
  cp -r "$bin"/. "$folder"/
  rm -f "$folder/wyka2001.rtf"
  if [[ $source == fifo ]]; then mkfifo "$folder/wyka2001.rtf"; else cp "$source" "$folder/wyka2001.rtf"; fi
  local before start end window
  before=$(md5sum <"$folder/Przyklad.wkz")
  start=$(date +%s%N)
  HOME=$folder/home "$folder/wykazki" >/dev/null 2>&1 &
  local program=$!
  window=$(xdotool search --sync --onlyvisible --name '^Wykazki 2001$' | head -n 1)
  # The information window, once it is up, is closed with Escape; then a
  # grade goes into the first grade cell, and the save key saves.
  for ((tries = 0; tries < 400; tries++)); do
    local info
    info=$(xdotool search --onlyvisible --name '^ Info$' 2>/dev/null | head -n 1 || true)
    if [[ -n $info ]]; then
      xdotool windowfocus "$info" key Escape 2>/dev/null || true
    else
      xdotool windowfocus "$window" key Down Down Down Down Down Down Down Down Down Down \
        Down Down 6 ctrl+s 2>/dev/null || true
    fi
    if [[ $(md5sum <"$folder/Przyklad.wkz") != "$before" ]]; then break; fi
    sleep 0.05
  done
  end=$(date +%s%N)
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  if [[ $(md5sum <"$folder/Przyklad.wkz") == "$before" ]]; then
    echo "$name: the keys were not taken"
    return 1
  fi
  echo "$name: keys taken and the class saved $(( (end - start) / 1000000 )) ms after launch"
}

status=0
for doc in "$work"/docs/*.rtf; do
  run_one "$(basename "$doc" .rtf)" "$doc" || status=1
done
run_one fifo fifo || status=1
exit "$status"
