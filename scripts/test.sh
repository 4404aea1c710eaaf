#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the whole suite under AddressSanitizer
# and UndefinedBehaviorSanitizer, then the threaded tests under ThreadSanitizer, then the web
# edition's browser tests in headless Chromium.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
source scripts/test_services.sh
start_test_services
trap stop_test_services EXIT

jobs=$(nproc)

echo "== dev: build and test (ASan + UBSan) =="
cmake --preset dev >/dev/null
cmake --build --preset dev -j "$jobs"
ctest --preset dev -j "$jobs"

echo "== tsan: threaded tests (ThreadSanitizer) =="
cmake --preset tsan -DSTRUMWISE_BUILD_BENCH=OFF >/dev/null
cmake --build --preset tsan -j "$jobs" --target strumwise_threaded_tests
ctest --preset tsan -j "$jobs"

echo "== web: build the site and run the browser tests (headless Chromium) =="
# The dev build above has already drawn the pictures the site needs.
bash scripts/build_web.sh dev
(cd tests/web && npm ci --no-audit --no-fund --loglevel=error && node --test --test-concurrency=1)
