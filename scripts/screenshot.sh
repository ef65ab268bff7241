#!/usr/bin/env bash
# Starts a Windows program under Wine on a private Xvfb display, waits for its
# window, saves a PNG of it, prints the PNG's path and ends the program again.
#
#   scripts/screenshot.sh [--exe <path-to-exe>] [--title <window title>]
#                         [--out <png>] [--wait <seconds>]
#                         [--press <caption> [--from <window title>]] [-- args for the exe]
#   scripts/screenshot.sh --all [--out <folder>]
#
# Defaults: build/bin/Appdeck.exe (built when missing), title "Appdeck",
# build/screenshots/<exe>.png, 30 s. --exe also takes a program Wine ships
# (notepad, winecfg, ...). --press opens a secondary window first: once the
# window titled --from (default "Appdeck") shows, its button with that caption
# is pressed, and the window titled --title is saved, e.g.
#   scripts/screenshot.sh --press "&Settings" --title Settings
# --all saves every window of the launcher in its skin, one PNG each (the main
# window in its three views, then each secondary window), into --out (default
# build/screenshots/windows), through the launcher's test program.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
source "$(dirname "$0")/lib/screen.sh"

usage() {
    sed -n '5,8p' "$0" | sed 's/^# *//' >&2
    exit 2
}

exe="$AD_BUILD/bin/Appdeck.exe"
title=Appdeck
out=
wait_s=30
press=
from=Appdeck
all=0
while [ $# -gt 0 ]; do
    case $1 in
        --all) all=1; shift ;;
        --press) [ $# -ge 2 ] || usage; press=$2; shift 2 ;;
        --from) [ $# -ge 2 ] || usage; from=$2; shift 2 ;;
        --exe) [ $# -ge 2 ] || usage; exe=$2; shift 2 ;;
        --title) [ $# -ge 2 ] || usage; title=$2; shift 2 ;;
        --out) [ $# -ge 2 ] || usage; out=$2; shift 2 ;;
        --wait) [ $# -ge 2 ] || usage; wait_s=$2; shift 2 ;;
        --) shift; break ;;
        -h|--help) usage ;;
        *) ad_log "unknown option: $1"; usage ;;
    esac
done
[[ $wait_s =~ ^[0-9]+$ ]] || { ad_log "--wait needs whole seconds, not \"$wait_s\""; exit 2; }

ad_install_packages

if [ "$all" = 1 ]; then
    out=${out:-$AD_BUILD/screenshots/windows}
    mkdir -p "$out"
    out="$(cd "$out" && pwd)"
    ad_build app_test >&2 || { ad_log "could not build app_test"; exit 1; }
    ad_start_wine
    rm -f "$out"/*.bmp
    # The test program writes bitmaps into the folder, named by its Windows path.
    (cd "$AD_BUILD/bin" && AD_SCREENSHOT_DIR="Z:${out//\//\\}" HOME="$AD_WINE_HOME" \
        "$AD_WINE" app_test.exe --gtest_filter='LauncherWindowsSkin.Screenshots' >&2) || true
    shopt -s nullglob
    shots=("$out"/*.bmp)
    [ ${#shots[@]} -gt 0 ] || { ad_log "no window was saved"; exit 1; }
    for bmp in "${shots[@]}"; do
        convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
        echo "${bmp%.bmp}.png"
    done
    exit 0
fi

exe=$(ad_resolve_exe "$exe")
name=$(basename "$exe")
name=${name%.[eE][xX][eE]}
out=${out:-$AD_BUILD/screenshots/$name.png}
# The program runs in its own folder: make a relative --out absolute first.
mkdir -p "$(dirname "$out")"
out="$(cd "$(dirname "$out")" && pwd)/$(basename "$out")"

if [ -n "$press" ]; then
    presser="$AD_BUILD/bin/pressbutton.exe"
    [ -f "$presser" ] || ad_build pressbutton >&2 || { ad_log "could not build pressbutton"; exit 1; }
fi

ad_start_wine
captured=0
if [ -z "$press" ]; then
    ad_launch_and_capture "$exe" "$title" "$out" "$wait_s" "$@" && captured=1
elif ad_launch_and_capture "$exe" "$from" "$out" "$wait_s" "$@"; then
    # The button opens its window modally: pressbutton posts the click and returns.
    if ! bash "$AD_ROOT/scripts/lib/wine-exec.sh" "$presser" "$from" "$press"; then
        ad_log "no button \"$press\" in the window titled \"$from\""
    elif id=$(ad_wait_window "$title" "$wait_s" "$AD_APP_PID"); then
        sleep 1
        ad_capture_window "$id" "$out" && captured=1
    else
        ad_log "no window titled \"$title\" appeared after pressing \"$press\""
    fi
fi
ad_stop_exe
[ "$captured" = 1 ] || exit 1
echo "$out"
