#!/usr/bin/env bash
# Prints a two-page table and two report cards through the program's own
# printing code to a real CUPS queue, and checks the PDFs that come out.
#
# The script starts a CUPS daemon of its own (its own configuration, spool,
# logs and a local socket in a temporary folder), reaches it through
# CUPS_SERVER only, and stops exactly that daemon and removes the folder on
# the way out. A daemon already running on the machine is never touched.
#
# The queue is a PDF printer described by a small PPD of its own: CUPS runs
# its usual PDF filter and writes each job into a file of the temporary
# folder (a file device). The cups-pdf backend is not used because it reads
# its configuration from /etc/cups and writes under /var/spool only.
#
# Usage: scripts/cups-test.sh [BIN_DIR]   (default build/default/bin)
set -euo pipefail
cd "$(dirname "$0")/.."
bin=$(realpath "${1:-build/default/bin}")

for tool in cupsd lpadmin lpstat pdfinfo pdftotext; do
  command -v "$tool" >/dev/null || { echo "cups-test: $tool is missing (scripts/install-deps.sh)"; exit 1; }
done

work=$(mktemp -d /tmp/wkz-cups.XXXXXX)
daemon=""
cleanup() {
  if [[ -n "$daemon" ]] && kill -0 "$daemon" 2>/dev/null; then
    kill "$daemon"
    wait "$daemon" 2>/dev/null || true
  fi
  [[ -n "${CUPS_TEST_KEEP:-}" ]] || rm -rf "$work"
}
trap cleanup EXIT

chmod 755 "$work"
mkdir -p "$work"/{conf,spool/tmp,cache,state,log,out,home}
# Backends run as the daemon's unprivileged user.
chmod 1777 "$work/out" "$work/spool/tmp"
socket="$work/cups.sock"

cat >"$work/conf/cupsd.conf" <<CONF
Listen $socket
LogLevel ${CUPS_TEST_LOGLEVEL:-warn}
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
CONF
cat >"$work/conf/cups-files.conf" <<CONF
FileDevice Yes
ServerRoot $work/conf
RequestRoot $work/spool
TempDir $work/spool/tmp
CacheDir $work/cache
StateDir $work/state
ErrorLog $work/log/error_log
AccessLog $work/log/access_log
PageLog $work/log/page_log
Printcap $work/printcap
CONF

cupsd -f -c "$work/conf/cupsd.conf" -s "$work/conf/cups-files.conf" &
daemon=$!

export CUPS_SERVER="$socket"
# No lpoptions of the user running the script choose another default.
export HOME="$work/home"
# lpstat -r exits with 0 either way: only its words tell whether the
# scheduler answers on the socket yet.
running() { [[ $(LC_ALL=C lpstat -r 2>/dev/null) == "scheduler is running" ]]; }
for _ in $(seq 300); do
  running && break
  kill -0 "$daemon" 2>/dev/null || { echo "cups-test: cupsd did not start"; cat "$work/log/error_log" 2>/dev/null; exit 1; }
  sleep 0.1
done
running || { echo "cups-test: cupsd does not answer on $socket after 30 s"; cat "$work/log/error_log" 2>/dev/null; exit 1; }

cat >"$work/wkz-pdf.ppd" <<'PPD'
*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "WKZPDF.PPD"
*Manufacturer: "Wykazki"
*Product: "(Wykazki test PDF)"
*ModelName: "Wykazki test PDF"
*ShortNickName: "Wykazki test PDF"
*NickName: "Wykazki test PDF"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsFilter2: "application/vnd.cups-pdf application/pdf 0 -"
*OpenUI *PageSize/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "18 18 577 824"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
PPD

queue=wkz-pdf
job="$work/out/job.pdf"
lpadmin -p "$queue" -E -v "file://$job" -P "$work/wkz-pdf.ppd"
lpadmin -d "$queue"
[[ $(lpstat -d) == *"$queue"* ]] || { echo "cups-test: $queue is not the default"; exit 1; }

# Runs one printing test of the program and waits until the queue has
# written its job, then keeps the PDF under the given name.
print_and_collect() {
  local filter=$1 keep=$2
  rm -f "$job"
  WYKAZKI_CUPS_TEST=1 QT_QPA_PLATFORM=offscreen "$bin/windows_tests" --gtest_filter="$filter" \
    --gtest_brief=1
  for _ in $(seq 300); do
    [[ -z $(lpstat -o "$queue") && -s "$job" ]] && break
    sleep 0.1
  done
  [[ -s "$job" ]] || { echo "cups-test: the queue wrote nothing for $filter"; lpstat -W all -o "$queue" || true; cat "$work/log/error_log"; exit 1; }
  cp "$job" "$work/$keep"
}

print_and_collect 'CupsPrinting.twoPagesOfTheTable' table.pdf
print_and_collect 'CupsPrinting.twoReportCards' cards.pdf

check() {
  local pdf=$1 pages=$2
  shift 2
  local found
  found=$(pdfinfo "$work/$pdf" | awk '/^Pages:/ {print $2}')
  [[ $found == "$pages" ]] || { echo "cups-test: $pdf has $found pages, not $pages"; exit 1; }
  local text
  text=$(pdftotext "$work/$pdf" -)
  for expected in "$@"; do
    [[ $text == *"$expected"* ]] || { echo "cups-test: '$expected' is not in $pdf"; exit 1; }
  done
}
check table.pdf 2 "Tabela CUPS [x=1 : y=1]" "Adamczyk"
check cards.pdf 2 "Adamczyk" "Chmielewska"
# Jobs carry their titles into the queue's log.
for title in "Tabela – Tabela CUPS" "Świadectwa – Przyklad – strona 1"; do
  grep -qF "$title" "$work/log/page_log" || { echo "cups-test: no job titled '$title'"; cat "$work/log/page_log"; exit 1; }
done
# The table keeps within the printable area the queue declares (18 pt).
# (awk reads to the end: an early exit would break pdftotext's pipe.)
left=$(pdftotext -bbox -f 1 -l 1 "$work/table.pdf" - | awk -F'"' '/>Tabela</ && !found { print $2; found = 1 }')
awk -v x="$left" 'BEGIN { exit !(x >= 17) }' || { echo "cups-test: the table starts ${left} pt from the edge"; exit 1; }
echo "cups-test: a two-page table and two report cards printed through CUPS"
