#!/usr/bin/env bash
# Sets everything up and runs every test: unit, integration (OpenGL under Xvfb)
# and end-to-end runs of the real game, then the unit and integration tests
# again in a sanitizer build.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/setup.sh
(cd build && ctest --output-on-failure -j2)

KORVANMIRE_BUILD=build-asan KORVANMIRE_TARGETS="unit_tests integration_tests" \
  ./scripts/setup.sh -DKORVANMIRE_SANITIZE=ON -DKORVANMIRE_BENCH=OFF -DKORVANMIRE_CONTENT=OFF
(cd build-asan && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  ctest --output-on-failure -j2 -R '^(unit|integration)')
echo "all tests passed"
