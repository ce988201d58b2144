#!/usr/bin/env bash
# Makes the Debian package in the build folder (cpack -G DEB) and checks it: what it holds, its
# dependencies, its desktop entry and lesson type as a desktop would take them, and the program run
# from the unpacked package, with and without a lesson.
#   tools/check_package.sh [BUILD_DIR]    (BUILD_DIR, or build/, already built)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-${BUILD_DIR:-build}}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# A package of this build and no other: an older one left beside it is not checked by mistake.
rm -f "$build"/lensbench_*.deb
(cd "$build" && cpack -G DEB) >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log" >&2; exit 1; }
packages=("$build"/lensbench_*_"$(dpkg --print-architecture)".deb)
if [ ${#packages[@]} -ne 1 ] || [ ! -f "${packages[0]}" ]; then
  echo "FAIL: no single package in $build" >&2
  exit 1
fi
deb=${packages[0]}

# What it holds: the program, executable, and each file a desktop needs, owned by root.
dpkg-deb -c "$deb" >"$work/contents"
grep -Eq '^-rwxr-xr-x root/root .* \./usr/bin/lensbench$' "$work/contents" || fail "no executable usr/bin/lensbench"
for file in usr/share/icons/hicolor/scalable/apps/lensbench.svg usr/share/applications/lensbench.desktop \
            usr/share/mime/packages/lensbench-lesson.xml usr/share/doc/lensbench/copyright \
            usr/share/doc/lensbench/guide.md; do
  grep -Eq "^-rw-r--r-- root/root .* \./$file\$" "$work/contents" || fail "not in the package: $file"
done

# The libraries as dpkg-shlibdeps found them, and the fonts the pictures are drawn in.
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 libqt6printsupport6 libstdc++6 libc6 \
              fonts-liberation fonts-dejavu-core; do
  [[ ", $depends," == *", $needed "* || ", $depends," == *", $needed,"* ]] || fail "Depends has no $needed: $depends"
done
# Nothing to run at install: the caches are the triggers' work.
control=$(dpkg-deb -I "$deb")
grep -Eq '^ +[0-9]+ bytes, +[0-9]+ lines +\*? *(preinst|postinst|prerm|postrm|triggers) ' <<<"$control" &&
  fail "the package has maintainer scripts or triggers of its own"

root=$work/root
dpkg-deb -x "$deb" "$root"
share=$root/usr/share
# A desktop that takes its programs, entries and types from the unpacked package before the system's.
desktop() {
  env PATH="$root/usr/bin:$PATH" XDG_DATA_DIRS="$share:/usr/share" XDG_DATA_HOME="$work/home" \
      XDG_CONFIG_HOME="$work/home" XDG_CONFIG_DIRS="$work/home" "$@"
}

# The copyright in Debian's machine-readable format, under the program's licence.
head -1 "$share/doc/lensbench/copyright" |
  grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' || fail "copyright: no Format line"
grep -qx 'License: GPL-3.0-or-later' "$share/doc/lensbench/copyright" || fail "copyright: no GPL-3.0-or-later"

# The desktop entry: valid, for lessons, handed the file double-clicked.
entry=$share/applications/lensbench.desktop
desktop-file-validate --no-hints "$entry" || fail "desktop-file-validate refused the desktop entry"
grep -qx 'Exec=lensbench %f' "$entry" || fail "desktop entry: Exec does not pass the file"
grep -qx 'MimeType=application/x-lensbench-lesson;' "$entry" || fail "desktop entry: no lesson MIME type"

# The lesson type: well-formed XML, taken by update-mime-database, and as a file manager sees it, a
# lesson by its name and, with no suffix, by its first key; the program offered to open it.
xmllint --noout "$share/mime/packages/lensbench-lesson.xml" || fail "MIME XML not well-formed"
desktop update-mime-database "$share/mime" 2>"$work/mime.log" || fail "update-mime-database: $(cat "$work/mime.log")"
[ -s "$work/mime.log" ] && fail "update-mime-database: $(cat "$work/mime.log")"
update-desktop-database "$share/applications" || fail "update-desktop-database failed"

# The lesson of the README's example: a fan from (-250, 40) with the image construction, and the waves.
cat >"$work/fan.lensbench" <<'LESSON'
{
    "format": "lensbench-lesson",
    "version": 1,
    "bench": {
        "bars": {"HScroll1": 0, "VScroll1": -30, "VScroll2": 29, "aktina1": 80, "aktina2": 90,
                 "arvimaton": 30, "deiktisdiathlasis": 165, "desmi1": 140, "kentrokykloy": 20,
                 "kentrokykloy2": -50},
        "diaphragm": {"lowerTip": -86.60254037844386, "upperTip": 86.60254037844386, "x": 0},
        "light": {"beam": false, "beamDegrees": 0, "sourceX": -250, "sourceY": 40},
        "marker": {"x": -250, "y": 40},
        "scenes": [{"kind": "fan", "x": -250, "y": 40}, {"kind": "construction", "x": -250, "y": 40}],
        "showOnlyWaves": false,
        "showWavesAndRays": true
    },
    "legend": false,
    "lenses": {"biconvex": false, "deiktissahl": 150, "sourceX": 108, "sourceY": 25}
}
LESSON
cp "$work/fan.lensbench" "$work/lesson-with-no-suffix"
printf '{"x": 1}\n' >"$work/other.json"
for file in fan.lensbench lesson-with-no-suffix other.json; do
  type=$(desktop gio info -a standard::content-type "$work/$file" | sed -n 's/^ *standard::content-type: //p')
  want=application/x-lensbench-lesson
  [ "$file" = other.json ] && want=application/json
  [ "$type" = "$want" ] || fail "$file taken as '$type', not $want"
done
opener=$(desktop gio mime application/x-lensbench-lesson)
grep -q '^Default application for .*: lensbench.desktop$' <<<"$opener" ||
  fail "lensbench.desktop is not the lessons' default application"

# The program from the package, with no display: the opening beam and the lesson, each 1920 x 1080,
# and the lesson's picture not the opening one.
size() { od -An -tu1 -j16 -N8 "$1" | tr -s ' '; }
is_full_hd_png() {
  [ "$(od -An -tu1 -N8 "$1" | tr -s ' ')" = " 137 80 78 71 13 10 26 10" ] && [ "$(size "$1")" = " 0 0 7 128 0 0 4 56" ]
}
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/lensbench" "$@"; }
[[ $(run --version) =~ ^lensbench\ [0-9.]+$ ]] || fail "the packaged program gave no version"
if run --export "$work/opening.png"; then
  is_full_hd_png "$work/opening.png" || fail "--export: not a 1920 x 1080 PNG"
else
  fail "--export: status $?"
fi
if run --export "$work/lesson.png" --lesson "$work/fan.lensbench"; then
  is_full_hd_png "$work/lesson.png" || fail "--lesson: not a 1920 x 1080 PNG"
  cmp -s "$work/opening.png" "$work/lesson.png" && fail "--lesson: the picture is the opening one"
else
  fail "--lesson: status $?"
fi

if [ $failures -gt 0 ]; then
  echo "$deb: $failures check(s) failed" >&2
  exit 1
fi
echo "$deb: contents, dependencies, desktop entry, lesson type and the packaged program checked"
