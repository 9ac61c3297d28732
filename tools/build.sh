#!/usr/bin/env bash
# Configures and builds the whole tree into ./build (or $KV_BUILD_DIR). Arguments go to the
# configuration, e.g. -DKV_SANITIZE=ON for the sanitizer build. With ccache on the machine every
# compile goes through it, keyed by paths relative to the checkout, so another clone or work tree
# of the same sources reuses what this one compiled.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KV_BUILD_DIR:-$root/build}
launcher=()
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1
  # Compiles that use the precompiled Qt headers are kept too.
  export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
