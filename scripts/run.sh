#!/usr/bin/env bash
# Sets everything up (packages, build, private Wine prefix) and runs Appdeck.
#
#   scripts/run.sh [--screenshot-only]
#
# With a reachable X display in $DISPLAY, Appdeck opens there and the script
# waits until it exits. Without one, Appdeck runs on a private Xvfb display:
# the script saves a screenshot of its window, says how to watch it live and
# keeps running until Appdeck exits or Ctrl-C. --screenshot-only (implied when
# $CI is set and there is no display) saves the screenshot on a private display
# and stops again.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
source "$(dirname "$0")/lib/screen.sh"

screenshot_only=
while [ $# -gt 0 ]; do
    case $1 in
        --screenshot-only) screenshot_only=1; shift ;;
        -h|--help) sed -n '4p' "$0" | sed 's/^# *//' >&2; exit 2 ;;
        *) ad_log "unknown option: $1"; sed -n '4p' "$0" | sed 's/^# *//' >&2; exit 2 ;;
    esac
done

ad_install_packages
ad_build Appdeck

exe="$AD_BUILD/bin/Appdeck.exe"
shot="$AD_BUILD/screenshots/Appdeck.png"
log="$AD_BUILD/wine/Appdeck.log"
[ -f "$exe" ] || { ad_log "$exe was not built"; exit 1; }

# Fills the bin folder with a demo catalogue, once that script exists.
demo_catalogue() {
    local script="$AD_ROOT/scripts/lib/demo-catalogue.sh"
    if [ -f "$script" ]; then
        bash "$script" "$AD_BUILD/bin"
    fi
}

if [ -z "$screenshot_only" ] && ad_display_reachable; then
    ad_start_wine_on_display
    demo_catalogue
    ad_log "starting Appdeck on display $DISPLAY"
    ad_start_exe "$exe" "$log"
    rc=0
    wait "$AD_APP_PID" || rc=$?
    AD_APP_PID=
    [ $rc -eq 0 ] || ad_log "Appdeck exited with code $rc (output: $log)"
    exit $rc
fi

if [ -z "$screenshot_only" ] && [ -n "${CI:-}" ]; then
    ad_log "no display and CI is set: taking a screenshot only"
    screenshot_only=1
fi

ad_start_wine
demo_catalogue
ad_log "starting Appdeck on a private display $DISPLAY"
if ! ad_launch_and_capture "$exe" Appdeck "$shot" 30; then
    ad_stop_exe
    exit 1
fi
echo "Screenshot of the Appdeck window: $shot"
if [ -n "$screenshot_only" ]; then
    ad_stop_exe
    exit 0
fi

cat <<EOF
Appdeck is running on the private X display $DISPLAY (there is no display here).
To watch and use it live, in another terminal:
    apt-get install x11vnc   (once)
    x11vnc -display $DISPLAY -localhost -nopw
then connect a VNC viewer to localhost:5900. Or copy $AD_BUILD/bin/Appdeck.exe
to a Windows machine and run it there.
Press Ctrl-C to stop Appdeck, Wine and the display.
EOF
rc=0
wait "$AD_APP_PID" || rc=$?
AD_APP_PID=
[ $rc -eq 0 ] || ad_log "Appdeck exited with code $rc (output: $log)"
exit $rc
