#!/usr/bin/env bash
# Builds the game (Release) and runs it: ./run.sh [options]
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVELLA_TESTS=OFF >/dev/null
cmake --build build/release

# Without --content and without content/Assets.dat (the game's own default
# folder is content/ here), play the stand-in content our tools make: built
# once, and again only when the tool is newer than it (Assets.dat is
# written last, so a folder that has it is complete).
args=("$@")
if [[ " $* " != *" --content "* && ! -f content/Assets.dat ]]; then
  stand_in=build/release/stand-in-content
  if [[ ! -f $stand_in/Assets.dat || build/release/quorvella-assets -nt $stand_in/Assets.dat ]]; then
    rm -rf "$stand_in"
    build/release/quorvella-assets --stand-in "$stand_in"
  fi
  args=(--content "$stand_in" "${args[@]}")
fi
exec build/release/quorvella "${args[@]}"
