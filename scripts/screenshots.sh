#!/usr/bin/env bash
# Pictures of the main window with no module, with a module linked, during a
# session (engine data, help tip, fault list, engine data at fault, marine)
# and of the settings, help and model-list windows, at 100 % and 200 % scale,
# on a virtual screen:
#   bash scripts/screenshots.sh [OUTPUT_FOLDER]     (default: build/screenshots)
# BUILD_DIR names another configured build folder than the default preset's.
set -euo pipefail
cd "$(dirname "$0")/.."

output="${1:-build/screenshots}"
bash scripts/install-deps.sh
if [[ -n "${BUILD_DIR:-}" ]]; then
    cmake --build "$BUILD_DIR" --target corsel-screenshots
    tool="$BUILD_DIR/tools/corsel-screenshots"
else
    cmake --preset default >/dev/null
    cmake --build --preset default --target corsel-screenshots
    tool=build/default/tools/corsel-screenshots
fi
xvfb-run -a -s "-screen 0 1920x1200x24" "$tool" "$output/100"
QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 3000x2000x24" "$tool" "$output/200"
