#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix and runs the installed programs
# there, as a user of the installed package would: they must find the data
# files installed with them, relative to their own place, and nothing else.
#   tests/install/run.sh BUILD_DIR SOURCE_DIR
set -eu
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install"

# Every shipped data file, byte for byte, and no other.
for f in "$source"/share/*; do
  cmp -s "$f" "$prefix/share/velmora/${f##*/}" || fail "not installed as it is: share/${f##*/}"
done
[ "$(ls "$prefix/share/velmora" | wc -l)" -eq "$(ls "$source/share" | wc -l)" ] ||
  fail "share/velmora holds other files than share/"
# Manual pages and the changelog compressed as a Debian package ships them
# (gzip -9n: no name and no time in the header), the copyright beside.
gzipped() {
  [ -f "$1" ] || fail "no ${1#"$prefix"/}"
  gzip -t "$1" 2>/dev/null || fail "${1#"$prefix"/} is no gzip file"
  # Header: magic, method, flags 0 (no name), time 0, "maximum compression".
  [ "$(od -An -tx1 -N9 "$1" | tr -d ' \n')" = 1f8b08000000000002 ] || fail "${1#"$prefix"/}: not as gzip -9n writes"
}
gzipped "$prefix/share/man/man1/velmora-cli.1.gz"
gzipped "$prefix/share/doc/velmora/changelog.gz"
version=$("$prefix/bin/velmora-cli" --version | sed 's/^velmora-cli //')
gzip -dc "$prefix/share/doc/velmora/changelog.gz" | head -n 1 | grep -q "^velmora ($version) " ||
  fail "the changelog does not begin with version $version"
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$' \
  "$prefix/share/doc/velmora/copyright" || fail "no machine-readable copyright"

# The commands on the PATH; velmora-report, velmora-cli's helper, is none.
helper=$prefix/libexec/velmora/velmora-report
[ ! -e "$prefix/bin/velmora-report" ] || fail "velmora-report is installed on the PATH"
[ ! -x "$prefix/bin/velmora" ] || [ -x "$helper" ] || fail "no velmora-report in libexec/velmora"
[ ! -x "$prefix/bin/velmora" ] || [ -f "$prefix/libexec/velmora/velmora-windows.so" ] ||
  fail "no velmora-windows.so, the module of the window's own windows, in libexec/velmora"
for p in "$prefix"/bin/*; do
  case "${p##*/}" in velmora | velmora-cli) ;; *) fail "bin/ holds ${p##*/}" ;; esac
done

# No program names a data folder of the source or the build tree.
for p in "$prefix"/bin/* "$prefix"/libexec/velmora/*; do
  [ -e "$p" ] || continue
  ! grep -qF -e "$source/share" -e "$build/share" "$p" || fail "${p##*/} names a data folder of the tree"
done

# velmora-cli from an empty folder, no user data folder: it reads the
# installed data in place and makes nothing.
mkdir "$work/home" "$work/here"
cd "$work/here"
out=$(env -u XDG_DATA_HOME HOME="$work/home" "$prefix/bin/velmora-cli" calc --json) || fail "velmora-cli calc: exit $?"
echo "$out" | grep -q '"core": "E 25/13/7"' || fail "velmora-cli calc gave: $out"
echo "$out" | grep -q '"startup": "ok"' || fail "velmora-cli calc gave: $out"
[ -z "$(find "$work/home" "$work/here" -mindepth 1)" ] || fail "velmora-cli calc wrote files"

# The design report, drawn by the installed helper without a display, on the
# installed data.
if [ -x "$helper" ]; then
  for f in report.pdf report.html; do
    env -u XDG_DATA_HOME -u DISPLAY HOME="$work/home" XDG_RUNTIME_DIR="$work" \
      "$prefix/bin/velmora-cli" report -o "$f" || fail "velmora-cli report -o $f: exit $?"
    [ -s "$f" ] || fail "velmora-cli report wrote no $f"
  done
  head -c 5 report.pdf | grep -q '%PDF-' || fail "report.pdf is no PDF"
  grep -q 'E 25/13/7' report.html || fail "report.html does not name the core"
  rm report.pdf report.html
fi

[ -x "$prefix/bin/velmora" ] || exit 0  # built without the window

# The window's first start fills the user's data folder from the installed files.
env -u XDG_DATA_HOME HOME="$work/home" XDG_RUNTIME_DIR="$work" QT_QPA_PLATFORM=offscreen \
  "$prefix/bin/velmora" --quit-after-startup || fail "velmora: exit $?"
for f in "$source"/share/*; do
  cmp -s "$f" "$work/home/.local/share/velmora/${f##*/}" || fail "the first start did not copy ${f##*/}"
done
[ -z "$(find "$work/here" -mindepth 1)" ] || fail "velmora wrote into the current folder"
# The libraries of the windows that a start does not open are not loaded at
# start; the details window loads them from the installed module.
! ldd "$prefix/bin/velmora" | grep -q -e Qt6Charts -e Qt6Svg -e Qt6OpenGL || fail "velmora loads Qt Charts, Svg or OpenGL at start"
env -u XDG_DATA_HOME HOME="$work/home" XDG_RUNTIME_DIR="$work" QT_QPA_PLATFORM=offscreen VELMORA_OPEN_DETAILS=1 \
  "$prefix/bin/velmora" --quit-after-startup || fail "velmora with the details window: exit $?"

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/velmora.desktop" || fail "desktop entry"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix"/share/metainfo/*.metainfo.xml >/dev/null || fail "AppStream metainfo"
fi
for size in 16x16 24x24 32x32 48x48 64x64 128x128 256x256; do
  [ -f "$prefix/share/icons/hicolor/$size/apps/velmora.png" ] || fail "no $size icon"
done
[ -f "$prefix/share/icons/hicolor/scalable/apps/velmora.svg" ] || fail "no scalable icon"
gzipped "$prefix/share/man/man1/velmora.1.gz"
echo "installed and ran in $prefix"
