#!/usr/bin/env bash
# Installs what is missing, builds, starts a throwaway PostgreSQL server on 127.0.0.1 and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/deps.sh"
bash "$root/tools/build.sh"
build=${KV_BUILD_DIR:-$root/build}

source "$root/tools/pgtemp.sh"
pgtemp_start
trap pgtemp_stop EXIT

export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure -j"$(nproc)" "$@"
