#!/usr/bin/env bash
# Runs the main window's layout test at other screen resolutions: for each
# resolution given (default 120 144) the private prefix's LogPixels is set, the
# test runs in its own process, and the setting is removed again (96 dpi).
# Not part of scripts/test.sh: every Wine program of the prefix would see the
# changed resolution, so nothing else may run meanwhile.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
ad_install_packages
ad_build
ad_start_wine
key='HKCU\Control Panel\Desktop'
restore() { HOME="$AD_WINE_HOME" "$AD_WINE" reg delete "$key" /v LogPixels /f >/dev/null 2>&1 || true; ad_stop_wine; }
trap restore EXIT
status=0
cd "$AD_BUILD/bin"
dpis=("$@")
[ ${#dpis[@]} -gt 0 ] || dpis=(120 144)
for d in "${dpis[@]}"; do
    ad_log "main window at $d dpi"
    HOME="$AD_WINE_HOME" "$AD_WINE" reg add "$key" /v LogPixels /t REG_DWORD /d "$d" /f >/dev/null
    AD_EXPECTED_DPI=$d HOME="$AD_WINE_HOME" "$AD_WINE" ./app_test.exe --gtest_brief=1 \
        --gtest_filter='MainWindowTest.TheLayoutIsTheDesignAtTheScreensResolution' || status=1
done
exit "$status"
