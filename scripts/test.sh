#!/usr/bin/env bash
# Sets everything up, builds and runs the whole test suite.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build_dir="${LP_BUILD_DIR:-$root/build}"

LP_BUILD_DIR="$build_dir" bash "$root/scripts/build.sh"
ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)"
