#!/usr/bin/env bash
# Installs what is needed, builds, and opens the window on the demo document
# (or on the files given). The demo is copied into build/ once, so editing and
# saving it never touches the copy kept in res/demo/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
kardel=build/src/app/kardel
if [ $# -eq 0 ]; then
  mkdir -p build/demo
  [ -f build/demo/demo.kdl ] || cp res/demo/demo.kdl build/demo/demo.kdl
  set -- build/demo/demo.kdl
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  # No desktop to show the window on: run it on a virtual screen and keep a picture of it.
  echo "No display found: opening the window under xvfb-run and saving a screenshot to build/screenshot.png" >&2
  exec env KARDEL_SCREENSHOT="$PWD/build/screenshot.png" xvfb-run -a -s "-screen 0 1024x768x24" "$kardel" "$@"
fi
exec "$kardel" "$@"
