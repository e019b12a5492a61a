#!/usr/bin/env bash
# Configures and builds the given architectures (x86_64, i686) under build/<arch>.
set -euo pipefail
cd "$(dirname "$0")/.."

for arch in "$@"; do
  dir=build/$arch
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-$arch.cmake" >/dev/null
  fi
  cmake --build "$dir" --parallel "$(nproc)"
done
