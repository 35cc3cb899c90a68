#!/usr/bin/env bash
# Builds the game (Release) and runs it: ./run.sh [options]
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVELLA_TESTS=OFF >/dev/null
cmake --build build/release

# Without --content and without ./content, play the content our tools make.
args=("$@")
if [[ " $* " != *" --content "* && ! -f content/Assets.dat ]]; then
  build/release/quorvella-assets --demo build/demo-content
  args=(--content build/demo-content "${args[@]}")
fi
exec build/release/quorvella "${args[@]}"
