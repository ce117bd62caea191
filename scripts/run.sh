#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it. Without an
# interface module on USB the program runs against the simulated module.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target corsel-diagnostic-system

program=build/default/app/corsel-diagnostic-system
args=("$@")

# The module in normal mode or in its boot loader (vendor 04D8, product 05F4/05F5).
module_present() {
    grep -qsiE '^HID_ID=0003:000004D8:000005F[45]$' /sys/bus/hid/devices/*/uevent
}

asked_for_simulation() {
    local arg
    for arg in "${args[@]}"; do
        [[ "$arg" == --simulate* ]] && return 0
    done
    return 1
}

if ! asked_for_simulation && ! module_present; then
    echo "No interface module found: starting with the simulated module."
    args=(--simulate "${args[@]}")
fi

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "No display found: starting on a virtual screen (xvfb-run)."
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$program" "${args[@]}"
fi
exec "$program" "${args[@]}"
