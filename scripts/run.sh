#!/usr/bin/env bash
# Builds Zendrift (installing what is missing first) and starts it with the given arguments.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZENDRIFT_TESTS=OFF >/dev/null
cmake --build "$root/build/release" --target zendrift
exec "$root/build/release/src/app/zendrift" "$@"
