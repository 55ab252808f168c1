#!/usr/bin/env bash
# Sets everything up, builds, and runs the reference host on the bundled example
# component. With a display the editor opens in a window and OK writes the edited
# parameters back to the component file; without one, it writes a screenshot of each
# tab and prints the component with the parameters the editor hands back.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build_dir="${LP_BUILD_DIR:-$root/build}"

LP_BUILD_DIR="$build_dir" bash "$root/scripts/build.sh"

# Work on a copy, so that accepting the editor never changes the bundled example.
workspace="$build_dir/example"
rm -rf "$workspace"
mkdir -p "$workspace"
cp "$root/examples/pa_amplifier.json" "$workspace/"
cp -r "$root/examples/data" "$workspace/data"

export QT_QPA_PLATFORMTHEME=
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    "$build_dir/host/lp-host" "$workspace/pa_amplifier.json"
    echo "Component file: $workspace/pa_amplifier.json"
else
    QT_QPA_PLATFORM=offscreen "$build_dir/host/lp-host" "$workspace/pa_amplifier.json" \
        --screenshot "$workspace/screenshots/editor.png" --each-tab --accept
fi
