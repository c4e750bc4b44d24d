#!/usr/bin/env bash
# Installs the Debian packages Nutrimap needs to build, run and test. Safe to run again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins
  libsqlite3-dev sqlite3 libxlsxwriter-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core fonts-wine
  xvfb xauth imagemagick xdotool trayer
)
if [ "${1:-}" = "--test" ]; then
  packages+=(libreoffice-calc-nogui libreoffice-writer-nogui poppler-utils util-linux)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
