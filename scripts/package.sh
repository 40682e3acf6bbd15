#!/usr/bin/env bash
# Builds the Debian package kardel_<version>_<arch>.deb into build/ (or $BUILD_DIR):
# installs what is needed, builds the programs and their manual pages, runs cpack and
# shows what lintian says of the package. Install it with
#   sudo apt install ./build/kardel_<version>_<arch>.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} "$@"
cmake --build "$BUILD_DIR" -j"$(nproc)" --target kardel_package_files
(cd "$BUILD_DIR" && cpack -G DEB)
deb=$(ls -t "$BUILD_DIR"/kardel_*.deb | head -n 1)
lintian --info "$deb" || { echo "lintian found errors in $deb" >&2; exit 1; }
echo "Built $deb"
