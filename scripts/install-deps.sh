#!/usr/bin/env bash
# Installs every Debian package the build, the tests, the benchmarks, the fuzzer and
# the Debian package (scripts/package.sh) need.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  clang libclang-rt-14-dev
  nlohmann-json3-dev libxxhash-dev
  libexpat1-dev libmd4c-dev
  qt6-base-dev qt6-translations-l10n libgl1-mesa-dev libx11-dev
  xvfb xauth xdotool fonts-noto-cjk poppler-utils
  dpkg-dev file help2man man-db lintian desktop-file-utils appstream bash-completion
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
