#!/usr/bin/env bash
# Sets everything up, builds, and runs the reference host on the bundled example:
# it loads the plug-in, registers its vocabulary and reports what the load-pull
# data library finds in the example data files.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build_dir="${LP_BUILD_DIR:-$root/build}"

LP_BUILD_DIR="$build_dir" bash "$root/scripts/build.sh"
export QT_QPA_PLATFORMTHEME=
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    export QT_QPA_PLATFORM=offscreen
fi
"$build_dir/host/lp-host" --inspect "$root"/examples/data/*
