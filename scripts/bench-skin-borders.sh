#!/usr/bin/env bash
# Builds the extended border's benchmark and runs it under the private Wine
# environment between two uptime readings: a move of a skinned form with its
# border window next to a resize, and the show and hide animations' frames and
# time next to the plan. Not part of the tests.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
ad_install_packages
ad_build skin_border_bench
ad_start_wine
uptime
HOME="$AD_WINE_HOME" "$AD_WINE" "$AD_BUILD/bin/skin_border_bench.exe"
uptime
