#!/usr/bin/env bash
# Installs every Debian package that building and testing Zelmar needs.
# Idempotent: packages that are already installed are skipped.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
  qt6-webengine-dev libqt6webenginecore6-bin libgl-dev qt6-svg-dev qt6-translations-l10n
  librdkit-dev rdkit-data libboost-dev libcairo2-dev
  libgtest-dev
  xvfb xauth nodejs fonts-dejavu-core
  dpkg-dev desktop-file-utils appstream shared-mime-info
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

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
