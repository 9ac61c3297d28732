#!/usr/bin/env bash
# Pictures of the real program starting under Xvfb, with its real pauses and animation: the splash
# opening, the splash open, the support notice and the main window. Needs a built tree and a
# prepared program folder (SERVER.INI); SETUP.INI there is removed first so the notice shows.
# Usage: tests/app/shellshots-x.sh BUILD-FOLDER OUTPUT-FOLDER
set -euo pipefail
build=$(cd "$1" && pwd)
out=$(mkdir -p "$2" && cd "$2" && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
shot() { "$build/tests/app_shellshots" --screen "$out/$1"; }
cd "$build/bin"
rm -f SETUP.INI
./Kalmorvaty &
pid=$!
sleep 0.45; shot x-splash-opening.png
sleep 2.5;  shot x-splash-open.png
sleep 4;    shot x-notice.png
sleep 30;   shot x-main.png
kill "$pid"
