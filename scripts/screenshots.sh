#!/usr/bin/env bash
# Pictures of the main window with no module, with a module linked, during a
# session (with and without fault codes) and of the settings dialog, at 100 %
# and 200 % scale, on a virtual screen:
#   bash scripts/screenshots.sh [OUTPUT_FOLDER]     (default: build/screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."

output="${1:-build/screenshots}"
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target corsel-screenshots

tool=build/default/tools/corsel-screenshots
xvfb-run -a -s "-screen 0 1920x1200x24" "$tool" "$output/100"
QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 3000x2000x24" "$tool" "$output/200"
