#!/usr/bin/env bash
# Builds the window adapters' benchmark and runs it under the private Wine
# environment: adapting a shown form's 100 listed controls next to creating
# them without a skin, and create to first paint of that form skinned next to
# unskinned. Not part of the tests.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
ad_install_packages
ad_build skin_adapters_bench
ad_start_wine
HOME="$AD_WINE_HOME" "$AD_WINE" "$AD_BUILD/bin/skin_adapters_bench.exe"
