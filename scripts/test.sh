#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test.
# WYKAZKI_WERROR=ON makes every warning an error (CI sets it).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default -DWYKAZKI_WERROR="${WYKAZKI_WERROR:-OFF}"
cmake --build --preset default
ctest --preset default
