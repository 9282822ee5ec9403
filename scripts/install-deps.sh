#!/usr/bin/env bash
# Installs the Debian packages the project needs to build, run and test.
# Idempotent: packages already present are left alone.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  qt6-tools-dev qt6-tools-dev-tools qt6-documentation-tools libqt6sql6-sqlite
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format clang-tidy
  xvfb xauth poppler-utils fonts-dejavu-core
  dpkg-dev lintian desktop-file-utils appstream
  cups cups-client
  g++-mingw-w64-x86-64 wine64 googletest
  time locales
  qt6-translations-l10n
  libhunspell-dev hunspell-pl
  libquazip1-qt6-dev
  # Reading grades aloud: Qt's text to speech over speech-dispatcher and
  # espeak-ng. Debian's qt6-speech-dev (6.4) needs qt6-declarative-dev for
  # a header it includes without depending on it.
  qt6-speech-dev qt6-declarative-dev qt6-speech-speechd-plugin
  speech-dispatcher speech-dispatcher-espeak-ng espeak-ng
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  sudo_cmd=()
  [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
