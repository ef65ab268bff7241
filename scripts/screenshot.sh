#!/usr/bin/env bash
# Starts a Windows program under Wine on a private Xvfb display, waits for its
# window, saves a PNG of it, prints the PNG's path and ends the program again.
#
#   scripts/screenshot.sh [--exe <path-to-exe>] [--title <window title>]
#                         [--out <png>] [--wait <seconds>] [-- args for the exe]
#
# Defaults: build/bin/Appdeck.exe (built when missing), title "Appdeck",
# build/screenshots/<exe>.png, 30 s. --exe also takes a program Wine ships
# (notepad, winecfg, ...).
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
source "$(dirname "$0")/lib/screen.sh"

usage() {
    sed -n '5,6p' "$0" | sed 's/^# *//' >&2
    exit 2
}

exe="$AD_BUILD/bin/Appdeck.exe"
title=Appdeck
out=
wait_s=30
while [ $# -gt 0 ]; do
    case $1 in
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
exe=$(ad_resolve_exe "$exe")
name=$(basename "$exe")
name=${name%.[eE][xX][eE]}
out=${out:-$AD_BUILD/screenshots/$name.png}
# The program runs in its own folder: make a relative --out absolute first.
mkdir -p "$(dirname "$out")"
out="$(cd "$(dirname "$out")" && pwd)/$(basename "$out")"

ad_start_wine
if ! ad_launch_and_capture "$exe" "$title" "$out" "$wait_s" "$@"; then
    ad_stop_exe
    exit 1
fi
ad_stop_exe
echo "$out"
