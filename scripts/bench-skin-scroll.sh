#!/usr/bin/env bash
# Builds the scrolling adapters' benchmark and runs it under the private Wine
# environment: a list box thumb drag over 10,000 items, time and heap
# allocations per move, skinned next to unskinned, between two uptime
# readings (the figures move with the machine's load). Not part of the tests.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
ad_install_packages
ad_build skin_scroll_bench
ad_start_wine
uptime
HOME="$AD_WINE_HOME" "$AD_WINE" "$AD_BUILD/bin/skin_scroll_bench.exe"
uptime
