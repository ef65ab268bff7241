#!/usr/bin/env bash
# Builds the grid's window benchmark and runs it under the private Wine
# environment: full repaints of a 1280 x 1024 grid with 100 and 100k rows in
# the report and the slides view, a tree of 100k rows collapsed and expanded
# at its root, 200 line scrolls, a search of 100k rows and the import of 10k
# lines into a visible grid. Not part of the tests.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
ad_install_packages
ad_build
ad_start_wine
HOME="$AD_WINE_HOME" "$AD_WINE" "$AD_BUILD/bin/grid_win_bench.exe"
