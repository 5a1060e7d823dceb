#!/bin/sh
# Starts the window on the data files that ship with the program.
build="$1"
if [ ! -x "$build/src/velmora" ]; then
  echo "The window is not built yet (no Qt 6 or no main window); try $build/src/velmora-cli."
  exit 1
fi
if [ -z "$DISPLAY" ] && [ -z "$WAYLAND_DISPLAY" ] && [ -z "$QT_QPA_PLATFORM" ]; then
  echo "No display to show the window on; use the command line instead: $build/src/velmora-cli --dir share calc"
  exit 1
fi
exec "$build/src/velmora" --dir "$(pwd)/share"
