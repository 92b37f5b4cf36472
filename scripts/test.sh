#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs every test; fuzzes the
# parsers for a bounded time; then runs every test again under AddressSanitizer and UBSan.
# FUZZ_SECONDS sets the seconds per fuzz target (30 when unset).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

# Formatting is part of the build's rules.
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

# A compiler cache, where one is installed, makes a second run quick; nothing needs it.
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_WERROR=ON \
    "${launcher[@]}" >/dev/null
cmake --build build-test -j 2
ctest --test-dir build-test --output-on-failure -j2

FUZZ_SECONDS="${FUZZ_SECONDS:-30}" bash scripts/fuzz.sh

# Clang like the fuzz build; -O1 keeps the sanitized build quick to compile and to run.
cmake -S . -B build-asan -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DQUILLON_WERROR=ON -DQUILLON_SANITIZE=ON \
    -DQUILLON_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build build-asan -j 2
ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j2
