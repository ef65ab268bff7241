#!/usr/bin/env bash
# Sets everything up (packages, build, private Wine environment) and runs every
# test: all of them cross-built through Wine, then the portable libraries'
# tests built natively with AddressSanitizer and UndefinedBehaviorSanitizer.
# Exits non-zero when any test of either run fails. Arguments go to both
# CTest runs (e.g. -R hash).
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"

ad_install_packages
ad_build
ad_start_wine
# The prefix's Desktop and Documents folders link to this home: every run starts
# with them empty, so what one run's tests leave there never reaches the next.
find "$AD_WINE_HOME" -mindepth 1 -maxdepth 1 ! -name '.*' -exec rm -rf {} +

status=0
cd "$AD_BUILD"
ctest --output-on-failure -j "$AD_JOBS" "$@" || status=$?

ad_log "native build with sanitizers in $AD_NATIVE_BUILD"
if ad_build_native; then
    cd "$AD_NATIVE_BUILD"
    ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1} UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1} \
        ctest --output-on-failure -j "$AD_JOBS" "$@" || status=$?
else
    status=1
fi

# Fuzzing, briefly per target, only in CI or when asked (AD_FUZZ_SECONDS=<s>).
if [ -n "${CI:-}" ] || [ -n "${AD_FUZZ_SECONDS:-}" ]; then
    bash "$AD_ROOT/scripts/fuzz.sh" "${AD_FUZZ_SECONDS:-20}" || status=1
fi
exit "$status"
