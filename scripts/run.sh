#!/usr/bin/env bash
# Installs what is missing, builds QUILLON and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target quillon quillon-windows
exec ./build/quillon "$@"
