#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the plain build,
# the whole suite under AddressSanitizer + UndefinedBehaviorSanitizer, and the
# transport tests under ThreadSanitizer. `--plain` runs the plain build only.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

presets=(default asan tsan)
if [[ "${1:-}" == "--plain" ]]; then
    presets=(default)
fi

jobs=$(nproc)
for preset in "${presets[@]}"; do
    echo "== ${preset} build =="
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    ctest --preset "$preset"
done
