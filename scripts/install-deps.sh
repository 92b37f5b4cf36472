#!/usr/bin/env bash
# Installs the Debian packages QUILLON needs; quick when they are all present.
set -euo pipefail
# clang with libclang-rt-14-dev: sanitizer and libFuzzer runtimes; llvm-14: the symbolizer;
# dpkg-dev and file: cpack -G DEB reads the package dependencies with dpkg-shlibdeps.
# iverilog and ghdl (with gcc and g++ of build-essential): the tests compile and run every export.
packages=(build-essential cmake ninja-build clang clang-format libclang-rt-14-dev llvm-14 qt6-base-dev
          qt6-svg-dev libjpeg62-turbo-dev libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth
          desktop-file-utils dpkg-dev file iverilog ghdl)
missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=""
    [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}" >/dev/null
fi
