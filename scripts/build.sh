#!/usr/bin/env bash
# Configures and builds the project, or only the targets named as arguments (with what
# they depend on). LP_BUILD_DIR picks the build folder (default build/); LP_CMAKE_ARGS
# adds options such as -DLP_SANITIZE=ON.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build_dir="${LP_BUILD_DIR:-$root/build}"

# A build against Qt 6 (-DLP_QT_MAJOR=6) needs Qt 6's packages besides.
extra=()
case "${LP_CMAKE_ARGS:-}" in
*LP_QT_MAJOR=6*) extra=(qt6-base-dev) ;;
esac
bash "$root/scripts/ensure-deps.sh" "${extra[@]}"
# shellcheck disable=SC2086
cmake -S "$root" -B "$build_dir" -G Ninja ${LP_CMAKE_ARGS:-} >/dev/null
if [ $# -gt 0 ]; then
    cmake --build "$build_dir" --target "$@"
else
    cmake --build "$build_dir"
fi
