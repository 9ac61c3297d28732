#!/usr/bin/env bash
# Configures and builds the whole tree into ./build (or $KV_BUILD_DIR). Arguments go to the
# configuration, e.g. -DKV_SANITIZE=ON for the sanitizer build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KV_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
