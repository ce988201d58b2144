#!/bin/sh
# Handouts from the command line with no display: what the page, the worksheet and the pictures hold, and
# the arguments refused with a message and status 2, nothing written.
#   check_handouts.sh PROGRAM page|pictures|refusals|files
set -u
program=$1
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

case $2 in
page)
  # arguments | texts the page holds | texts it must not hold (each list split at ';')
  while IFS='|' read -r arguments present absent; do
    # shellcheck disable=SC2086 # the arguments are words
    "$program" --export "$folder/page.pdf" $arguments || { fail "$arguments: status $?"; continue; }
    pdfinfo "$folder/page.pdf" | grep -Eq '^Pages: +1$' || fail "$arguments: not one page"
    text=$(pdftotext "$folder/page.pdf" -)
    IFS=';'
    for want in $present; do
      printf '%s' "$text" | grep -Fq -- "$want" || fail "$arguments: no '$want'"
    done
    for unwanted in $absent; do
      printf '%s' "$text" | grep -Fq -- "$unwanted" && fail "$arguments: '$unwanted' on the page"
    done
    unset IFS
    rm -f "$folder/page.pdf"
  done <<'ROWS'
--source -200,0|f = 120.00;F2 = 116.67;image = 364.94;paraxial focus = 364.94;Ημερομηνία / date: |
--beam 0|paraxial focus = 116.67;marginal focus = 59.02;LSA = 57.65;Εστιακή απόσταση / focal length: f = 120.00|image = 
--beam 0 --diaphragm -100,30,-30|paraxial focus = 116.67|marginal focus = 59.02
--beam 0 --diaphragm=0,200,-200|marginal focus = 59.02|
--source -200,0 --worksheet|focal length: f = ________;F2 = ________;image = ________;LSA = ________|120.00;116.67;364.94
ROWS
  ;;
pictures)
  "$program" --export "$folder/bench.png" --source -200,0 --waves || fail "png: status $?"
  [ "$(od -An -tu1 -N4 "$folder/bench.png" | tr -s ' ')" = " 137 80 78 71" ] || fail "not a PNG"
  [ "$(od -An -tu1 -j16 -N8 "$folder/bench.png" | tr -s ' ')" = " 0 0 7 128 0 0 4 56" ] || fail "PNG not 1920 x 1080"
  "$program" --export "$folder/bench.SVG" --beam 20 --only-waves || fail "svg: status $?"
  grep -q '<svg' "$folder/bench.SVG" && grep -q 'viewBox="0 0 1920 1080"' "$folder/bench.SVG" || fail "not a 1920 x 1080 SVG"
  # The scale bar always; the legend with its values only when asked for.
  grep -q '>100<' "$folder/bench.SVG" || fail "svg: no scale bar"
  grep -q 'image = ' "$folder/bench.SVG" && fail "svg: a legend not asked for"
  "$program" --export "$folder/legend.svg" --source -200,0 --legend || fail "legend: status $?"
  grep -q 'image = 364.94<' "$folder/legend.svg" && grep -q 'LSA = ' "$folder/legend.svg" || fail "svg: no legend's values"
  ;;
refusals)
  while read -r arguments; do
    out=$folder/out
    # shellcheck disable=SC2086
    set -- $(printf '%s' "$arguments" | sed "s|OUT|$out|g")
    "$program" "$@" >/dev/null 2>"$folder/said"
    status=$?
    [ $status -eq 2 ] || fail "$arguments: status $status"
    # Greek first, then English.
    sed -n 1p "$folder/said" | LC_ALL=C grep -q "^lensbench: .*$(printf '[\316\317]')" &&
      sed -n 2p "$folder/said" | LC_ALL=C grep -Eq '^lensbench: .*[A-Za-z]{4}' || fail "$arguments: said '$(cat "$folder/said")'"
    [ -z "$(ls "$folder" | grep -v '^said$')" ] || fail "$arguments: wrote $(ls "$folder")"
  done <<'ROWS'
--export OUT.png --source 400,0
--export OUT.png --source -200
--export OUT.pdf --beam 90
--export OUT.png --beam nan
--export OUT.png --index 2.6
--export OUT.png --rays 151
--export OUT.png --rays abc
--export OUT.png --lens -50,40,20,90
--export OUT.png --rays
--export OUT.png --diaphragm 400,50,-50
--export OUT.png --diaphragm 0,-10,-50
--export OUT.png --diaphragm 0,50,-220
--export OUT.png --diaphragm 0,50
--export OUT.gif
--export OUT/missing/x.png
--export OUT.png --frobnicate
--export OUT.png --waves --only-waves
--export OUT.png --worksheet
--export OUT.pdf --legend
--export OUT.png --legend=yes
--source -200,0
ROWS
  ;;
files)
  # Status 2 and nothing touched for a target refused before anything is written; status 1 and the old
  # file whole when the disk fills; a run that succeeds says nothing.
  old=$folder/old.svg
  env -u XDG_RUNTIME_DIR "$program" --export "$old" --beam 20 2>"$folder/said" || fail "old.svg: status $?"
  [ -s "$folder/said" ] && fail "a written export said '$(cat "$folder/said")'"
  cp "$old" "$folder/kept"
  mkfifo "$folder/fifo.png"
  mkdir "$folder/dir.png"
  ln -s "$folder/nothing.png" "$folder/dangling.png"
  long=$folder/$(printf 'x%.0s' $(seq 1 300)).png
  for target in "$folder/fifo.png" "$folder/dir.png" "$folder/dangling.png" /proc/lensbench.png "$long"; do
    timeout 20 "$program" --export "$target" 2>"$folder/said"
    status=$?
    [ $status -eq 2 ] || fail "$target: status $status"
    grep -q "lensbench: .*$(printf '\316')" "$folder/said" || fail "$target: said '$(cat "$folder/said")'"
  done
  [ -p "$folder/fifo.png" ] && [ -d "$folder/dir.png" ] && [ -L "$folder/dangling.png" ] || fail "a refused target changed"
  # A disk with room for 4 kB more: the picture is larger, so the write fails.
  (ulimit -f 4; "$program" --export "$old" --source -200,0 --waves 2>"$folder/said")
  status=$?
  [ $status -eq 1 ] || fail "full disk: status $status"
  cmp -s "$old" "$folder/kept" || fail "full disk: the old picture was changed"
  # Interrupted at any moment, the program leaves the old file or the whole new one.
  for delay in 0.05 0.2 0.4 0.8; do
    "$program" --export "$old" --source -150,30 --waves & pid=$!
    sleep $delay
    kill -TERM $pid 2>/dev/null
    wait $pid
    cmp -s "$old" "$folder/kept" || tail -c 7 "$old" | grep -q '</svg>' || fail "SIGTERM after $delay s: old.svg broken"
    cp "$old" "$folder/kept"
  done
  rm -f "$folder/said" "$folder/kept"
  leftovers=$(ls -A "$folder" | grep -v -e '^old.svg$' -e '^fifo.png$' -e '^dir.png$' -e '^dangling.png$')
  [ -z "$leftovers" ] || fail "left behind: $leftovers"
  ;;
esac
[ $failures -eq 0 ]
