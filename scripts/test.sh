#!/usr/bin/env bash
# Sets everything up (packages, build, private Wine environment) and runs every
# test. Exits non-zero when any test fails.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"

ad_install_packages
ad_build
ad_start_wine

cd "$AD_BUILD"
ctest --output-on-failure -j "$(nproc)" "$@"
