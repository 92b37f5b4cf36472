#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan + UBSan) and runs each one for a bounded time.
#
#   bash scripts/fuzz.sh [SECONDS] [TARGET...]
#
# Seconds per target: the first argument, else FUZZ_SECONDS, else SECONDS from the
# environment, else 30. Targets: every fuzz/*.cpp unless named. Seeds come from
# fuzz/corpus/<target>/ (never written to); new inputs go to build-fuzz/corpus/<target>/ and
# a failing input to build-fuzz/artifacts/. A failing target makes the script fail.
given_seconds=$SECONDS  # bash imports SECONDS from the environment; 0 when it was not set
set -euo pipefail
cd "$(dirname "$0")/.."

per_target=30
if [ "$given_seconds" -gt 0 ]; then
    per_target=$given_seconds
fi
per_target=${FUZZ_SECONDS:-$per_target}
if [ $# -gt 0 ] && [[ $1 =~ ^[0-9]+$ ]]; then
    per_target=$1
    shift
fi

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for src in fuzz/*.cpp; do
        targets+=("$(basename "$src" .cpp)")
    done
fi

build=build-fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUILLON_WERROR=ON -DQUILLON_SANITIZE=ON -DQUILLON_FUZZ=ON -DQUILLON_GUI=OFF \
    -DQUILLON_TESTS=OFF -DQUILLON_BENCH=OFF >/dev/null
cmake --build "$build" -j 2 --target "${targets[@]}"

mkdir -p "$build/artifacts"
failed=()
for t in "${targets[@]}"; do
    work="$build/corpus/$t"
    seeds="fuzz/corpus/$t"
    mkdir -p "$work" "$seeds"
    log="$build/$t.log"
    echo "fuzzing $t for ${per_target} s"
    if "$build/fuzz/$t" -max_total_time="$per_target" -timeout=10 -rss_limit_mb=2048 \
        -max_len=4096 -print_final_stats=1 -artifact_prefix="$build/artifacts/$t-" \
        "$work" "$seeds" >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        echo "  $t: ${runs:-?} inputs, no property broken"
    else
        tail -n 40 "$log"
        echo "  $t: FAILED (input kept in $build/artifacts/, log in $log)"
        failed+=("$t")
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzzing broke a property in: ${failed[*]}"
    exit 1
fi
echo "fuzzing: every property held in all ${#targets[@]} targets"
