#!/usr/bin/env bash
# Installs what is missing, builds, prepares the embedded database on first use and starts Kalmorvaty.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/deps.sh"
bash "$root/tools/build.sh"
bin=${KV_BUILD_DIR:-$root/build}/bin
if [ ! -f "$bin/SERVER.INI" ]; then
  "$bin/InitDataServer.exe" --batch
fi
exec "$bin/Kalmorvaty"
