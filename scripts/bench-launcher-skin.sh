#!/usr/bin/env bash
# Builds the launcher's skinned-controls benchmark and runs it under the
# private Wine environment: a full repaint of the main window in the skin
# (controls' caches warm and cold) next to the same window with the skin off,
# and one frame of a skinned button's hover fade next to a native button's
# repaint. The machine's load is printed with the figures. Not part of the tests.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
ad_install_packages
ad_build launcher_skin_bench
ad_start_wine
echo "load: $(uptime)"
HOME="$AD_WINE_HOME" "$AD_WINE" "$AD_BUILD/bin/launcher_skin_bench.exe"
echo "load: $(uptime)"
