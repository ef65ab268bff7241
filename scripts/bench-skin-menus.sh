#!/usr/bin/env bash
# Builds the skinned menus' benchmark and runs it under the private Wine
# environment: the tray menu of 2,000 programs opened with a sub-menu,
# skinned next to unskinned, and opened again, between two uptime readings
# (the figures move with the machine's load). Not part of the tests.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
ad_install_packages
ad_build skin_menus_bench
ad_start_wine
uptime
HOME="$AD_WINE_HOME" "$AD_WINE" "$AD_BUILD/bin/skin_menus_bench.exe"
uptime
