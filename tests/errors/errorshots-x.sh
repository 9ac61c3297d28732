#!/usr/bin/env bash
# Pictures of the about window and the exception window under Xvfb, for review by eye. Needs a
# built tree.
# Usage: tests/errors/errorshots-x.sh BUILD-FOLDER OUTPUT-FOLDER
set -euo pipefail
build=$(cd "$1" && pwd)
out=$(mkdir -p "$2" && cd "$2" && pwd)
src=$(cd "$(dirname "$0")/../.." && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
"$build/tests/errorshots" "$build/bin/Kalmorvaty" "$src/about/Kalmorvaty.zme" "$out"
