#!/usr/bin/env bash
# Installs what is needed and builds. The window does not exist yet, so this
# runs the core's tests; once `kardel` exists it opens the demo document.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [ -x build/src/app/kardel ]; then
  exec build/src/app/kardel "$@"
fi
echo "The window is not built yet; running the core tests instead." >&2
exec build/tests/kardel_core_tests
