#!/usr/bin/env bash
# Installs what TARIX needs to build, test and run, from Debian's packages.
set -euo pipefail
pkgs=(build-essential cmake ninja-build pkg-config
      qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
      libsqlite3-dev libpq-dev postgresql googletest libgtest-dev libbenchmark-dev
      fonts-liberation xdg-utils zip unzip poppler-utils
      python3 universal-ctags wamerican)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
