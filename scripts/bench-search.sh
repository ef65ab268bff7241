#!/usr/bin/env bash
# Builds the Search window's benchmark and runs it under the private Wine
# environment: searches over 10,000 programs in 100 categories, with the time
# to the sorted rows and the GUI thread's longest stall, between two readings
# of the machine's load. Not part of the tests.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
ad_install_packages
ad_build search_bench
ad_start_wine
uptime
HOME="$AD_WINE_HOME" "$AD_WINE" "$AD_BUILD/bin/search_bench.exe"
uptime
