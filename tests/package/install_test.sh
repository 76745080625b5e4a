#!/usr/bin/env bash
# Installs the build into a scratch prefix and builds a host with find_package(TMigration) against it.
set -euo pipefail
build=$1 source=$2 flags=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" >/dev/null
mkdir "$work/host"
cp "$source/tests/package/consumer.cpp" "$work/host/"
cp "$source/tests/package/CMakeLists.txt.in" "$work/host/CMakeLists.txt"
cmake -S "$work/host" -B "$work/host/build" -DCMAKE_PREFIX_PATH="$work/prefix" -DCMAKE_CXX_FLAGS="$flags" >/dev/null
cmake --build "$work/host/build" >/dev/null
out=$(LD_LIBRARY_PATH="$work/prefix/lib" "$work/host/build/consumer")
expected="0|Provider cannot be found. It may not be properly installed. (Nowhere)|0|Provider cannot be found. It may not be properly installed. (Nowhere)"
if [ "$out" != "$expected" ]; then
  echo "unexpected output: $out" >&2
  exit 1
fi
echo "installed package works"
