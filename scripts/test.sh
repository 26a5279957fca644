#!/usr/bin/env bash
# Installs what is missing, builds Zelmar with its libraries and tests, and runs every test.
# Extra arguments go to CMake's configure step (for example -DZELMAR_SANITIZE=address).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
build_dir=${ZELMAR_BUILD_DIR:-build}
# The real SD files beside the repository and LibreOffice Calc are part of every full test run.
cmake -S . -B "$build_dir" -G Ninja -DZELMAR_REQUIRE_SDF_DATA=ON -DZELMAR_REQUIRE_CALC=ON "$@"
cmake --build "$build_dir"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)"
# German users are the main audience: the window tests run once more under a German locale.
LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 \
  ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)" -L window
