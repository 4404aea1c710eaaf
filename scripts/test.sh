#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the whole suite under AddressSanitizer
# and UndefinedBehaviorSanitizer, the threaded tests under ThreadSanitizer, the release binary
# as a user runs it, the web edition's browser tests in headless Chromium, and the Debian
# package, built, checked and installed into a throw-away root. Each phase reports its time.
set -euo pipefail
cd "$(dirname "$0")/.."

phase_name=""
phase_began=$SECONDS
phase() {
    [ -z "$phase_name" ] || echo "== $phase_name: $((SECONDS - phase_began)) s =="
    phase_name=$1
    phase_began=$SECONDS
    [ -z "$phase_name" ] || echo "== $phase_name =="
}

phase "setup: what the desktop and the web edition need"
bash scripts/setup.sh
bash scripts/setup_web.sh --tests
source scripts/test_services.sh
start_test_services
trap stop_test_services EXIT

jobs=$(nproc)

phase "dev: build and test (ASan + UBSan)"
cmake --preset dev >/dev/null
cmake --build --preset dev -j "$jobs"
ctest --preset dev -j "$jobs"

phase "tsan: threaded tests (ThreadSanitizer)"
cmake --preset tsan -DSTRUMWISE_BUILD_BENCH=OFF >/dev/null
cmake --build --preset tsan -j "$jobs" --target strumwise_threaded_tests
ctest --preset tsan -j "$jobs"

phase "release: the binary scripts/run.sh builds, run as a user runs it"
cmake --preset release >/dev/null
cmake --build --preset release -j "$jobs" --target strumwise
(source tests/package/strumwise_checks.sh &&
    check_runs build/release/src/app/strumwise "$(dpkg-parsechangelog -S Version)")

phase "web: build the site as scripts/web.sh does and run the browser tests (headless Chromium)"
bash scripts/build_web.sh release
(cd tests/web && npm ci --no-audit --no-fund --loglevel=error && node --test --test-concurrency=1)

phase "package: build and check the .deb, install it into a throw-away root"
bash scripts/package.sh
bash tests/package/installed_package_test.sh build/package/strumwise_*.deb

phase ""
echo "== all tests passed in $SECONDS s =="
