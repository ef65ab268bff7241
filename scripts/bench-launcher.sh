#!/usr/bin/env bash
# Builds Appdeck and runs the launcher's benchmark under the private Wine
# environment: choosing categories of 50, 500 and 2000 programs (next to reading
# them key by key through the profile API) and resolving 100k locations of each
# form; and the Application Manager filling its grid with 10,000 programs in 100
# categories. Not part of the tests.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
ad_install_packages
ad_build
ad_start_wine
HOME="$AD_WINE_HOME" "$AD_WINE" "$AD_BUILD/bin/launcher_bench.exe"
HOME="$AD_WINE_HOME" "$AD_WINE" "$AD_BUILD/bin/appmgr_bench.exe"
