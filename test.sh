#!/usr/bin/env bash
# Sets everything up and runs every test: unit, integration (OpenGL under Xvfb)
# and end-to-end runs of the real game, the playthrough once more on
# sdl12-compat; then, in a sanitizer build, the unit and integration tests
# again, the fuzz tests (fixed seed) and one playthrough of the sanitized game
# (its art and sounds are the ones the first build made).
set -euo pipefail
cd "$(dirname "$0")"

./scripts/setup.sh
(cd build && ctest --output-on-failure -j2)

# The playthrough again on sdl12-compat, the SDL 1.2 of current distributions
# (Debian's package unpacked into the build tree, first on the library path).
compat_lib=$(./scripts/sdl12-compat.sh build)
compat_env="LD_LIBRARY_PATH=$compat_lib${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"
# grep reads all of ldd's lines: with -q it would stop at the match, and ldd,
# still writing, would die of the closed pipe and fail the check (pipefail).
env "$compat_env" ldd build/korvanmire | grep "$compat_lib/libSDL-1.2.so.0" >/dev/null ||
  { echo "the game does not load sdl12-compat from $compat_lib" >&2; exit 1; }
(cd build && env "$compat_env" KORVANMIRE_BINARY="$PWD/korvanmire" KORVANMIRE_DATA="$PWD/../data" \
  ../scripts/xvfb-run.sh tests/e2e/e2e_tests --gtest_filter='Playthrough.*')

KORVANMIRE_BUILD=build-asan KORVANMIRE_TARGETS="unit_tests integration_tests fuzz_tests korvanmire" \
  ./scripts/setup.sh -DKORVANMIRE_SANITIZE=ON -DKORVANMIRE_BENCH=OFF -DKORVANMIRE_CONTENT=OFF
export ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
(cd build-asan && ctest --output-on-failure -j2 -R '^(unit|integration|fuzz_sanitized)')
# The playthrough test of the first build drives the sanitized game: any
# report ends the game with an error status, which the test sees.
(cd build && KORVANMIRE_BINARY="$PWD/../build-asan/korvanmire" KORVANMIRE_DATA="$PWD/../data" \
  ../scripts/xvfb-run.sh tests/e2e/e2e_tests --gtest_filter='Playthrough.*')
# The content check under the sanitizers: broken content must be reported, never crash it.
bash tests/e2e/check_test.sh build-asan/korvanmire data
echo "all tests passed"
