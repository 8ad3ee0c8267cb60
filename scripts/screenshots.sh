#!/usr/bin/env bash
# Renders the main screens of the demo installation into docs/, offscreen,
# with a temporary program folder, profile, desktop data folder and control
# registry.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)" --target wardix_screenshots wardix_regsvr zonectl
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# XDG_DATA_HOME: a start registers the desktop entry there, not in the user's own.
export WARDIX_HOME="$work/home" WARDIX_PROFILE="$work/Wardix.conf" WARDIX_CONTROL_REGISTRY="$work/controls.conf"
export XDG_DATA_HOME="$work/share"
export QT_QPA_PLATFORM=offscreen
./build/wardix_regsvr build/zonectl/libzonectl.so
./build/tests/screens/wardix_screenshots docs
