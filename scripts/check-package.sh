#!/usr/bin/env bash
# Checks the package scripts/package.sh built: validates its desktop entry
# and metainfo, installs it, runs the installed wkz on the installed sample,
# starts the installed program offscreen with a HOME of its own (its program
# folder must appear there, seeded), and removes the package again.
set -euo pipefail
cd "$(dirname "$0")/.."
deb=$(ls "$PWD"/build/default/package/wykazki_*.deb)
sudo_cmd=()
[[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)

contents=$(mktemp -d)
home=$(mktemp -d)
trap 'rm -rf "$contents" "$home"' EXIT
dpkg-deb -x "$deb" "$contents"
desktop-file-validate "$contents"/usr/share/applications/*.desktop
appstreamcli validate --no-net --strict "$contents"/usr/share/metainfo/*.metainfo.xml

DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "$deb"
/usr/bin/wkz info /usr/share/wykazki/Przyklad.wkz
# The program's modules, opened on first use, find every library they need.
modules=$(dpkg -L wykazki | grep '/modules/libwykazki-.*\.so$')
[[ -n $modules ]] || { echo "the package holds no modules" >&2; exit 1; }
for module in $modules; do
  if ldd "$module" | grep -q 'not found'; then
    echo "$module lacks a library:" >&2; ldd "$module" >&2; exit 1
  fi
done
# The desktop's triggers registered the file type and tied it to the entry.
test -f /usr/share/mime/application/x-wykazki.xml
grep -q '^application/x-wykazki=.*pl.wykazki.Wykazki.desktop' /usr/share/applications/mimeinfo.cache

# The program runs until it is stopped: still running after the timeout
# (status 124) means it started.
status=0
env -u XDG_CONFIG_HOME -u DISPLAY -u WAYLAND_DISPLAY HOME="$home" QT_QPA_PLATFORM=offscreen \
  timeout 5 /usr/bin/wykazki || status=$?
if [[ $status -ne 124 ]]; then
  echo "the installed program ended with status $status instead of running" >&2
  exit 1
fi
for file in /usr/share/wykazki/*; do
  cmp "$file" "$home/Documents/Wykazki/$(basename "$file")"
done
echo "installed program started; its folder $home/Documents/Wykazki holds:" $(ls "$home/Documents/Wykazki")

DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get remove -y wykazki
if [[ -e /usr/bin/wykazki ]]; then
  echo "the package was not removed" >&2
  exit 1
fi
