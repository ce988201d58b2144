#!/bin/sh
# Installs the build into a fresh prefix and checks what a desktop finds there: the program, its menu
# entry (valid for desktop-file-validate), its icon, the lessons' MIME type, the guide and the copyright.
set -eu
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/lensbench share/applications/lensbench.desktop share/icons/hicolor/scalable/apps/lensbench.svg \
            share/mime/packages/lensbench-lesson.xml share/doc/lensbench/guide.md share/doc/lensbench/copyright; do
  [ -s "$prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done
desktop-file-validate "$prefix/share/applications/lensbench.desktop"
grep -q '^Categories=Education;Science;Physics;$' "$prefix/share/applications/lensbench.desktop"
"$prefix/bin/lensbench" --version | grep -q '^lensbench [0-9]'
echo "installed and valid under $prefix"
