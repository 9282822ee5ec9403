#!/usr/bin/env bash
# Builds the Debian package build/default/package/wykazki_VERSION_ARCH.deb
# (dependencies from dpkg-shlibdeps) and checks it with lintian, which fails
# the script on errors and lists warnings and notes.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default
cmake --build --preset default
rm -f build/default/package/wykazki_*.deb
(cd build/default && cpack --config CPackConfig.cmake)
deb=$(ls build/default/package/wykazki_*.deb)
echo "== lintian"
lintian --fail-on error --display-info --tag-display-limit 0 "$deb"
echo "$PWD/$deb"
