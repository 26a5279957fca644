#!/usr/bin/env bash
# Installs every Debian package that building and testing Zelmar needs.
# Idempotent: packages that are already installed are skipped.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
  qt6-webengine-dev libqt6webenginecore6-bin libgl-dev qt6-svg-dev qt6-translations-l10n
  librdkit-dev rdkit-data libboost-dev libcairo2-dev
  libinchi-dev libinchi-bin
  libgtest-dev libicu-dev libxlsxwriter-dev
  xvfb xauth nodejs fonts-dejavu-core
  dpkg-dev desktop-file-utils appstream shared-mime-info
  locales
  openbabel time python3-rdkit
  xdotool x11-utils imagemagick
  libreoffice-calc-nogui
)

# The editor page is bundled with npm. Debian's nodejs comes without it; a node from
# elsewhere (NodeSource) brings its own npm and conflicts with Debian's package.
if ! command -v npm >/dev/null 2>&1; then
  packages+=(npm)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The window tests run once more under a German locale, as most of our users have it.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  echo "Generating the locale de_DE.UTF-8"
  if ! grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'de_DE.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  fi
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi
