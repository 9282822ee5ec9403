#!/usr/bin/env bash
# Installs what is needed, builds the program and starts it with the
# sample class.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default
cmake --build --preset default
bin=build/default/bin
if [[ -x $bin/wykazki ]]; then
  exec "$bin/wykazki"
fi
exec "$bin/wkz" info "$bin/Przyklad.wkz"
