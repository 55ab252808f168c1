#!/usr/bin/env bash
# Builds the fuzzing harnesses with clang and runs one, or all, for a bounded time:
#
#   scripts/fuzz.sh TARGET SECONDS      TARGET: a folder under fuzz/, or "all"
#
# Each harness starts from its seed corpus (fuzz/TARGET/corpus) and keeps the inputs that
# reach new code in build-fuzz/corpus/TARGET, so that longer runs build on shorter ones.
# A finding (a crash, a leak, a time-out, a failed property check) is written to
# build-fuzz/findings/TARGET/ and makes the script exit non-zero.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
target="${1:?usage: fuzz.sh TARGET|all SECONDS}"
seconds="${2:?usage: fuzz.sh TARGET|all SECONDS}"
build_dir="${LP_FUZZ_BUILD_DIR:-$root/build-fuzz}"

bash "$root/scripts/ensure-deps.sh" clang libclang-rt-14-dev
CC=clang CXX=clang++ cmake -S "$root" -B "$build_dir" -G Ninja -DLP_FUZZ=ON \
    -DBUILD_TESTING=OFF -DLP_BUILD_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

if [ "$target" = all ]; then
    targets=()
    for folder in "$root"/fuzz/*/; do
        [ -f "$folder/CMakeLists.txt" ] && targets+=("$(basename "$folder")")
    done
else
    targets=("$target")
fi

export QT_QPA_PLATFORM=offscreen QT_QPA_PLATFORMTHEME=
export ASAN_OPTIONS=detect_leaks=1:detect_odr_violation=0
export LSAN_OPTIONS="suppressions=$root/fuzz/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

for name in "${targets[@]}"; do
    echo "== fuzz_$name for $seconds s =="
    cmake --build "$build_dir" --target "fuzz_$name"
    corpus="$build_dir/corpus/$name"
    findings="$build_dir/findings/$name"
    mkdir -p "$corpus" "$findings"
    options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2560 -print_final_stats=1
             -artifact_prefix="$findings/")
    [ -f "$root/fuzz/$name/$name.dict" ] && options+=(-dict="$root/fuzz/$name/$name.dict")
    "$build_dir/fuzz/$name/fuzz_$name" "${options[@]}" "$corpus" "$root/fuzz/$name/corpus"
done
