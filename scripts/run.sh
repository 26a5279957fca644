#!/usr/bin/env bash
# Installs what is missing, builds Zelmar and starts it on the given SD file
# (default: the bundled example).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build
file=${1:-examples/zelmar_examples.sdf}
exec ./build/bin/zelmar "/OPEN=$(realpath "$file")"
