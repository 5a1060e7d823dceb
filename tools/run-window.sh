#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the window. With no folder given, the program works in the user's data
# folder ($XDG_DATA_HOME/velmora), which it fills on first start with a copy of
# the data files that ship with it (never overwriting the user's own), so the
# checkout's share/ stays untouched.
build="$1"
if [ ! -x "$build/src/velmora" ]; then
  echo "The window is not built (Qt 6 Widgets missing?); the command line works: $build/src/velmora-cli calc"
  exit 1
fi
if [ -z "$DISPLAY" ] && [ -z "$WAYLAND_DISPLAY" ] && [ -z "$QT_QPA_PLATFORM" ]; then
  echo "No display to show the window on; use the command line instead: $build/src/velmora-cli calc"
  exit 1
fi
exec "$build/src/velmora"
