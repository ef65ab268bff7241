#!/usr/bin/env bash
# Builds Appdeck and runs the launcher's benchmark under the private Wine
# environment: choosing categories of 50 to 5000 programs in view 1 (until the
# first page and the end of the scan, with the GUI thread's longest stall; next
# to reading them key by key through the profile API), resolving 100k locations
# of each form, the scans of views 3 and 2 of 500/2000/5000 programs with the
# GUI thread's longest stall, the tray menu for 2000 programs (and the stall
# while its icons arrive), Import Programs (300 shortcuts, 2000 MUI cache
# values, 200 App Paths keys, removed again), start to first paint next to
# Wine's Notepad and the shares of start-up inside the process, and the cost of
# each per-program step. Arguments pick sections (view1 resolve scan tray
# import start startparts parts). Then the Application Manager filling its grid
# with 10,000 programs in 100 categories. Not part of the tests. The machine's
# load is printed with the figures.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
ad_install_packages
ad_build launcher_bench appmgr_bench file_digests_bench Appdeck
ad_start_wine
# Saving a shortcut on the desktop makes Wine start its menu builder; the import
# section saves 300 of them, and 300 builders at once exhaust the X server.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
sections=() hash=$(( $# == 0 ))
for a in "$@"; do
    if [ "$a" = hash ]; then hash=1; else sections+=("$a"); fi
done
if [ $# -eq 0 ] || [ ${#sections[@]} -gt 0 ]; then
    echo "load: $(uptime)"
    HOME="$AD_WINE_HOME" "$AD_WINE" "$AD_BUILD/bin/launcher_bench.exe" "${sections[@]}"
    echo "load: $(uptime)"
    HOME="$AD_WINE_HOME" "$AD_WINE" "$AD_BUILD/bin/appmgr_bench.exe"
fi
if [ "$hash" = 1 ]; then
    echo
    echo "File Hash: twelve digests from one read (under Wine; goal <= 1.1 x the slowest single)"
    echo "load: $(uptime)"
    HOME="$AD_WINE_HOME" "$AD_WINE" "$AD_BUILD/bin/file_digests_bench.exe" "${AD_HASH_MIB:-1024}"
    echo "load: $(uptime)"
fi
