#!/usr/bin/env bash
# Shared by ./run and ./test: installs the Debian packages the build needs when they are missing,
# then configures and builds. Idempotent; a second run only rebuilds what changed.
#
#   BUILD_DIR   the build folder (build, or build-checked for the checked build)
#   LENS_CHECKED=1   the checked build: AddressSanitizer, UndefinedBehaviorSanitizer and the standard
#                    library's assertions, built with clang (which also builds the libFuzzer driver)
set -euo pipefail
cd "$(dirname "$0")/.."

checked=${LENS_CHECKED:-0}
packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-qpa-plugins qt6-svg-dev libgl-dev
          libgtest-dev libgmock-dev libbenchmark-dev fonts-liberation fonts-dejavu-core
          xvfb openbox poppler-utils desktop-file-utils dpkg-dev libxml2-utils shared-mime-info
          libglib2.0-bin)
[ "$checked" = 1 ] && packages+=(clang)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
cannot_install() {
  cat >&2 <<MSG

Lens Bench needs these packages, which are not installed, and this account cannot install them:
  ${missing[*]}
Ask the computer's administrator to run:
  sudo apt-get install ${missing[*]}
then run this command again.
MSG
  exit 1
}
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || cannot_install
    sudo="sudo"
  fi
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get install -y -q "${missing[@]}" || { $sudo apt-get update -q && $sudo apt-get install -y -q "${missing[@]}"; } ||
    cannot_install
fi

# The presets in CMakePresets.json hold the options; configuring on every run applies any that changed
# to a build folder made earlier (a second run with nothing changed only checks).
if [ "$checked" = 1 ]; then
  preset=checked build=${BUILD_DIR:-build-checked}
else
  preset=release build=${BUILD_DIR:-build}
fi
cmake --preset "$preset" -B "$build" >/dev/null
cmake --build "$build" -j "$(nproc)"
