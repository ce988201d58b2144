#!/bin/sh
# Installs the build into a fresh prefix and checks what a desktop finds there: the program, its menu
# entry (valid for desktop-file-validate), its icon and the guide.
set -eu
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/lensbench share/applications/lensbench.desktop share/icons/hicolor/scalable/apps/lensbench.svg \
            share/doc/lensbench/guide.md; do
  [ -s "$prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done
desktop-file-validate "$prefix/share/applications/lensbench.desktop"
grep -q '^Categories=Education;Science;Physics;$' "$prefix/share/applications/lensbench.desktop"
"$prefix/bin/lensbench" --version | grep -q '^lensbench [0-9]'
echo "installed and valid under $prefix"
