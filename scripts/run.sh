#!/usr/bin/env bash
# Sets everything up, builds what the reference host needs, and opens the bundled example
# component in it. It works on a copy in build/example/, which later runs keep with their
# edits; --fresh starts over from the bundled example.
#
# With a display the editor opens in a window, and OK writes the edited parameters back to
# the copy. Without one it writes a screenshot of each tab and says what accepting the
# editor would change; --json prints the whole component instead.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build_dir="${LP_BUILD_DIR:-$root/build}"

fresh=false
json=false
for argument in "$@"; do
    case "$argument" in
    --fresh) fresh=true ;;
    --json) json=true ;;
    *)
        echo "usage: scripts/run.sh [--fresh] [--json]" >&2
        exit 2
        ;;
    esac
done

LP_BUILD_DIR="$build_dir" bash "$root/scripts/build.sh" lp-host

workspace="$build_dir/example"
component="$workspace/pa_amplifier.json"
if $fresh || [ ! -f "$component" ]; then
    rm -rf "$workspace"
    mkdir -p "$workspace"
    cp "$root/examples/pa_amplifier.json" "$workspace/"
    cp -r "$root/examples/data" "$workspace/data"
fi

export QT_QPA_PLATFORMTHEME=
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    "$build_dir/host/lp-host" "$component"
else
    options=(--screenshot "$workspace/screenshots/editor.png" --each-tab --accept)
    $json || options+=(--summary)
    "$build_dir/host/lp-host" "$component" "${options[@]}"
fi
