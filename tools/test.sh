#!/usr/bin/env bash
# Installs what is missing, builds, starts a throwaway PostgreSQL server on 127.0.0.1 and runs every
# test twice: in ./build, and in ./build-asan built with AddressSanitizer and UndefinedBehaviorSanitizer
# (or $KV_BUILD_DIR and $KV_ASAN_BUILD_DIR). Arguments go to both ctest runs (e.g. -R store).
# KV_SANITIZE=0 leaves the sanitizer build out for a quicker run; CI always has it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KV_BUILD_DIR:-$root/build}
asan_build=${KV_ASAN_BUILD_DIR:-$root/build-asan}
sanitize=${KV_SANITIZE:-1}
[ "${CI:-}" = true ] && sanitize=1

bash "$root/tools/deps.sh"
KV_BUILD_DIR=$build bash "$root/tools/build.sh"
if [ "$sanitize" = 1 ]; then
  KV_BUILD_DIR=$asan_build bash "$root/tools/build.sh" -DKV_SANITIZE=ON
fi

source "$root/tools/pgtemp.sh"
pgtemp_start
trap pgtemp_stop EXIT

export QT_QPA_PLATFORM=offscreen
status=0
echo "== tests"
(cd "$build" && ctest --output-on-failure -j"$(nproc)" "$@") || status=1
if [ "$sanitize" = 1 ]; then
  echo "== tests with AddressSanitizer and UndefinedBehaviorSanitizer"
  (cd "$asan_build" && ctest --output-on-failure -j"$(nproc)" "$@") || status=1
fi
exit $status
