#!/usr/bin/env bash
# Builds the minimise animation's benchmark and runs it under the private Wine
# environment: one step next to showing the same frame as it is, and the
# animation on its timer, frames and time next to the plan. Not part of the tests.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
ad_install_packages
ad_build skin_form_animation_bench
ad_start_wine
HOME="$AD_WINE_HOME" "$AD_WINE" "$AD_BUILD/bin/skin_form_animation_bench.exe"
