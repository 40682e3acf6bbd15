#!/usr/bin/env bash
# Builds the Debian package kardel_<version>_<arch>.deb into build/ (or $BUILD_DIR),
# after installing what is needed and building, and shows what lintian says of it.
# Install it with: apt install ./build/kardel_<version>_<arch>.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
BUILD_DIR=${BUILD_DIR:-build}
(cd "$BUILD_DIR" && cpack -G DEB)
deb=$(ls -t "$BUILD_DIR"/kardel_*.deb | head -n 1)
lintian --info "$deb" || { echo "lintian found errors in $deb" >&2; exit 1; }
echo "Built $deb"
