#!/bin/sh
# Prints the 1,000-pupil benchmark class with `wkz print` and reports wall time,
# CPU time, peak memory and PDF size per page. Start-up is included.
# Usage: bench/print_throughput.sh [WKZ] [RUNS]   (WKZ default: build/default/bin/wkz)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
wkz=${1:-$here/../build/default/bin/wkz}
runs=${2:-3}
work=${WKZ_BENCH_DIR:-$(mktemp -d)}
[ -x /usr/bin/time ] || { echo "needs GNU time (/usr/bin/time, Debian package 'time')" >&2; exit 2; }
python3 "$here/make_print_class.py" "$work"
"$wkz" build "$work/klasa1000.json" -o "$work/klasa1000.wkz"
echo "load: $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores"
i=0
while [ "$i" -lt "$runs" ]; do
    i=$((i + 1))
    rm -f "$work/out.pdf"
    QT_QPA_PLATFORM=offscreen /usr/bin/time -f '%e %U %S %M' -o "$work/time.txt" \
        "$wkz" print "$work/klasa1000.wkz" -o "$work/out.pdf" --pictures "$work"
    pages=$(pdfinfo "$work/out.pdf" 2>/dev/null | awk '/^Pages:/ {print $2}')
    size=$(stat -c %s "$work/out.pdf")
    read -r wall user sys peak < "$work/time.txt"
    awk -v w="$wall" -v u="$user" -v s="$sys" -v m="$peak" -v p="${pages:-1000}" -v b="$size" \
        'BEGIN { printf "run: wall %.2f s, CPU %.2f s (user %.2f, sys %.2f), peak %.1f MB, %d pages, %.2f KB/page\n", w, u + s, u, s, m / 1024, p, b / p / 1024 }'
done
echo "output: $work/out.pdf"
