#!/usr/bin/env bash
# Runs the GUI check on a virtual display with a window manager, as on a real desktop: ten starts
# in a row at 1920 × 1080, then 1366 × 768, 1280 × 1024 and 3840 × 2160 at scale factor 2.
# Exits 77 (skipped) when no display server can be started here.
set -u
# The program starts with its defaults, whatever settings the user running the tests has kept.
export XDG_CONFIG_HOME=$(mktemp -d)
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT
check=${1:?usage: run_gui_check.sh GUI_CHECK_PROGRAM}
if ! command -v Xvfb >/dev/null || ! command -v openbox >/dev/null; then
  echo "gui check skipped: Xvfb or openbox is not installed"
  exit 77
fi

run() { # size scale
  local disp="" n xvfb wm status
  for n in $(seq 150 250); do
    if [ ! -e /tmp/.X11-unix/X$n ] && [ ! -e /tmp/.X$n-lock ]; then disp=:$n; break; fi
  done
  [ -n "$disp" ] || { echo "gui check skipped: no free display number"; exit 77; }
  Xvfb "$disp" -screen 0 "${1}x24" -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 100); do [ -e /tmp/.X11-unix/X${disp#:} ] && break; sleep 0.05; done
  if [ ! -e /tmp/.X11-unix/X${disp#:} ]; then
    kill $xvfb 2>/dev/null
    echo "gui check skipped: the display server did not start"
    exit 77
  fi
  DISPLAY=$disp openbox >/dev/null 2>&1 &
  wm=$!
  sleep 0.5
  DISPLAY=$disp QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$2 ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0} \
    timeout 60 "$check"
  status=$?
  kill $wm $xvfb 2>/dev/null
  wait $wm $xvfb 2>/dev/null
  return $status
}

failed=0
for i in $(seq 10); do
  echo "start $i of 10 at 1920x1080"
  run 1920x1080 1 || failed=$((failed + 1))
done
for setting in "1366x768 1" "1280x1024 1" "3840x2160 2"; do
  echo "start at ${setting% *}, scale factor ${setting#* }"
  run $setting || failed=$((failed + 1))
done
echo "gui check: $failed of 13 starts failed"
[ $failed -eq 0 ]
