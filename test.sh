#!/usr/bin/env bash
# Builds the game and its tests with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test headless, the long soak
# last (QUORVELLA_SOAK_TICKS shortens it).
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORVELLA_SANITIZE=ON >/dev/null
cmake --build build/test

export SDL_VIDEODRIVER=offscreen
export SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
# use_tls=0: the leak check guesses where a thread-local block of a loaded
# library starts and sometimes guesses a wild range and crashes at exit; no
# code of ours keeps heap memory in thread-local storage.
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0:use_tls=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd build/test
ctest --output-on-failure -j "$(nproc)" --timeout 300 --label-exclude soak
# The soak (docs/soak.md) after the rest: two long runs side by side, whose
# memory figures are worth reading, so their output is shown.
ctest --output-on-failure -j 2 --label-regex soak --verbose
