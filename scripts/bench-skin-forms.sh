#!/usr/bin/env bash
# Builds the skinned form's benchmark and runs it under the private Wine
# environment: the provider's window image at 850 x 574 and 1920 x 1080 next
# to a plain fill, 10,000 WM_NCHITTEST next to an unskinned form, and create
# to first paint skinned next to unskinned. Not part of the tests.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
ad_install_packages
ad_build skin_forms_bench
ad_start_wine
HOME="$AD_WINE_HOME" "$AD_WINE" "$AD_BUILD/bin/skin_forms_bench.exe"
