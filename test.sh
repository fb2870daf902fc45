#!/usr/bin/env bash
# Sets everything up and runs every test: unit, integration (OpenGL under Xvfb)
# and end-to-end runs of the real game; then, in a sanitizer build, the unit
# and integration tests again, the fuzz tests (fixed seed) and one playthrough
# of the sanitized game (its art and sounds are the ones the first build made).
set -euo pipefail
cd "$(dirname "$0")"

./scripts/setup.sh
(cd build && ctest --output-on-failure -j2)

KORVANMIRE_BUILD=build-asan KORVANMIRE_TARGETS="unit_tests integration_tests fuzz_tests korvanmire" \
  ./scripts/setup.sh -DKORVANMIRE_SANITIZE=ON -DKORVANMIRE_BENCH=OFF -DKORVANMIRE_CONTENT=OFF
export ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
(cd build-asan && ctest --output-on-failure -j2 -R '^(unit|integration|fuzz_sanitized)')
# The playthrough test of the first build drives the sanitized game: any
# report ends the game with an error status, which the test sees.
(cd build && KORVANMIRE_BINARY="$PWD/../build-asan/korvanmire" KORVANMIRE_DATA="$PWD/../data" \
  ../scripts/xvfb-run.sh tests/e2e/e2e_tests --gtest_filter='Playthrough.*')
echo "all tests passed"
