#!/usr/bin/env bash
# Installs what is missing, builds, and starts Wardix.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)"
./build/wardix_regsvr build/zonectl/libzonectl.so
exec ./build/wardix "$@"
