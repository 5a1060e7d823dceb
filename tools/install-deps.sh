#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages given as arguments when any is missing: through
# apt-get when run as root, otherwise prints the exact install line and stops.
missing=""
for p in "$@"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" -eq 0 ]; then
  echo "Installing:$missing"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq || exit 1
  apt-get install -y -qq --no-install-recommends $missing || exit 1
else
  echo "Missing packages. Install them with:"
  echo "  sudo apt-get install -y$missing"
  exit 1
fi
