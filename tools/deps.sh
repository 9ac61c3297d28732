#!/usr/bin/env bash
# Installs what building, running and testing Kalmorvaty need on a Debian 12 machine,
# skipping the download when every package is already there. The desktop road tests need a window
# manager, X input and the screen-reader bus (openbox, xdotool, AT-SPI with its Python binding);
# builds go through ccache; the PDF tests read the files back with poppler-utils, the workbook tests
# with openpyxl and a headless LibreOffice Calc; tools/package.sh and its test make and check the
# Debian package with debhelper, lintian and appstreamcli. "bash tools/deps.sh fuzz" adds clang with
# libFuzzer and the symbolizer its reports need (tools/fuzz.sh).
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  libsqlite3-dev sqlite3 libpq-dev postgresql-15 libicu-dev
  libpng-dev libjpeg62-turbo-dev zlib1g-dev libxlsxwriter-dev
  libdw-dev libelf-dev
  fonts-liberation xdg-utils xvfb xauth x11-utils qt6-translations-l10n
  ccache poppler-utils python3-openpyxl libreoffice-calc-nogui
  openbox xdotool at-spi2-core python3-pyatspi dbus-x11
  debhelper dpkg-dev lintian appstream
)
if [ "${1:-}" = fuzz ]; then
  packages+=(clang libclang-rt-dev llvm)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
