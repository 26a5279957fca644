#!/usr/bin/env bash
# Builds the Debian package zelmar_<version>_<arch>.deb into build-package/: the program,
# its chemistry libraries and the desktop files, without the tests.
# Install it with: sudo apt install ./build-package/zelmar_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
dir=${ZELMAR_PACKAGE_DIR:-build-package}
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DZELMAR_BUILD_TESTS=OFF "$@"
cmake --build "$dir"
(cd "$dir" && cpack -G DEB)
ls "$dir"/zelmar_*.deb
