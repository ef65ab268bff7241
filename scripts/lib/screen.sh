# shellcheck shell=bash
# Shared by run.sh and screenshot.sh: starting a Windows program under the
# prepared Wine environment, waiting for its top-level X window and saving a
# PNG of it. Source it after common.sh.

# True while the process runs (a finished child that was not waited for yet
# counts as gone).
ad_pid_running() {
    local state
    state=$(ps -o stat= -p "$1" 2>/dev/null) || return 1
    [ -n "$state" ] && [ "${state:0:1}" != Z ]
}

# True when $DISPLAY names an X server that answers.
ad_display_reachable() {
    [ -n "${DISPLAY:-}" ] && timeout 5 xdpyinfo >/dev/null 2>&1
}

# Works out what to start: an existing file, a path that the build makes
# (builds once when it is missing), or the name of a program Wine ships
# (notepad, winecfg, ...). Prints the path or name.
ad_resolve_exe() {
    local exe=$1
    if [ -f "$exe" ]; then
        echo "$(cd "$(dirname "$exe")" && pwd)/$(basename "$exe")"
        return 0
    fi
    if [[ $exe != */* ]]; then
        echo "$exe"
        return 0
    fi
    ad_log "$exe is missing; building"
    ad_build >&2 || { ad_log "the build failed"; return 1; }
    if [ ! -f "$exe" ]; then
        ad_log "$exe does not exist, even after building"
        return 1
    fi
    echo "$(cd "$(dirname "$exe")" && pwd)/$(basename "$exe")"
}

# ad_start_exe <exe> <log> [args...]: starts the program in the background in
# its own folder (a Wine-shipped program in the current one), its output going
# to <log>; sets AD_APP_PID.
ad_start_exe() {
    local exe=$1 log=$2
    shift 2
    mkdir -p "$(dirname "$log")"
    local dir=.
    [ -f "$exe" ] && dir=$(dirname "$exe")
    (cd "$dir" && exec bash "$AD_ROOT/scripts/lib/wine-exec.sh" "$exe" "$@") \
        </dev/null >"$log" 2>&1 &
    AD_APP_PID=$!
}

# Ends the program started by ad_start_exe, waiting up to 10 s.
ad_stop_exe() {
    [ -n "${AD_APP_PID:-}" ] || return 0
    kill "$AD_APP_PID" 2>/dev/null || true
    local _
    for _ in $(seq 1 100); do
        ad_pid_running "$AD_APP_PID" || break
        sleep 0.1
    done
    kill -KILL "$AD_APP_PID" 2>/dev/null || true
    wait "$AD_APP_PID" 2>/dev/null || true
    AD_APP_PID=
}

# Prints the ids of the top-level windows titled exactly <title>, the ones on
# screen first.
ad_window_ids() {
    local title=$1 line id rest shown=() hidden=()
    while IFS= read -r line; do
        line=${line#"${line%%[![:space:]]*}"}
        [[ $line == 0x* ]] || continue
        id=${line%% *}
        rest=${line#* }
        [[ $rest == "\"$title\":"* ]] || continue
        if xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable'; then
            shown+=("$id")
        else
            hidden+=("$id")
        fi
    done < <(xwininfo -root -children 2>/dev/null)
    [ ${#shown[@]} -gt 0 ] && printf '%s\n' "${shown[@]}"
    [ ${#hidden[@]} -gt 0 ] && printf '%s\n' "${hidden[@]}"
    return 0
}

# ad_wait_window <title> <seconds> [pid]: polls until a top-level window with
# that title is on screen and prints its id. Returns 1 when the time runs out,
# 2 when the process <pid> ends first.
ad_wait_window() {
    local title=$1 seconds=$2 pid=${3:-} id deadline
    deadline=$(( $(date +%s%N) + seconds * 1000000000 ))
    while :; do
        id=$(ad_window_ids "$title" | head -n1)
        if [ -n "$id" ] && xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable'; then
            echo "$id"
            return 0
        fi
        if [ -n "$pid" ] && ! ad_pid_running "$pid"; then
            return 2
        fi
        [ "$(date +%s%N)" -lt "$deadline" ] || return 1
        sleep 0.2
    done
}

# ad_capture_window <id> <png>: saves what the screen shows where the window
# is, as a PNG: a skinned form's frame can be drawn by a window of its own
# above it (its extended border), which the form's own contents lack. Falls
# back to the window's own contents, then to the whole screen.
ad_capture_window() {
    local id=$1 out=$2 info x y w h
    mkdir -p "$(dirname "$out")"
    rm -f "$out"
    info=$(xwininfo -id "$id" 2>/dev/null) || info=
    x=$(sed -n 's/^ *Absolute upper-left X: *//p' <<<"$info")
    y=$(sed -n 's/^ *Absolute upper-left Y: *//p' <<<"$info")
    w=$(sed -n 's/^ *Width: *//p' <<<"$info")
    h=$(sed -n 's/^ *Height: *//p' <<<"$info")
    if [ -n "$x" ] && [ -n "$w" ] && [ "$x" -ge 0 ] && [ "$y" -ge 0 ] &&
        import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out" 2>/dev/null && [ -s "$out" ]; then
        return 0
    fi
    if import -window "$id" "$out" 2>/dev/null && [ -s "$out" ]; then
        return 0
    fi
    ad_log "could not capture window $id; saving the whole screen"
    import -window root "$out" && [ -s "$out" ]
}

# ad_launch_and_capture <exe> <title> <png> <seconds> [args...]: starts the
# program (AD_APP_PID), waits for its window, lets it paint and saves the PNG.
# The program keeps running. Returns non-zero with a message on failure.
ad_launch_and_capture() {
    local exe=$1 title=$2 out=$3 seconds=$4
    shift 4
    local log
    log="$AD_BUILD/wine/$(basename "${exe%.[eE][xX][eE]}").log"
    ad_start_exe "$exe" "$log" "$@"
    local id rc=0
    id=$(ad_wait_window "$title" "$seconds" "$AD_APP_PID") || rc=$?
    if [ $rc -eq 2 ]; then
        ad_log "$exe ended before a window titled \"$title\" appeared (output: $log)"
        return 1
    elif [ $rc -ne 0 ]; then
        ad_log "no window titled \"$title\" appeared within $seconds s (output: $log)"
        ad_log "top-level windows: $(xwininfo -root -children 2>/dev/null | grep -o '^ *0x[0-9a-f]* "[^"]*"' | sed 's/^ *0x[0-9a-f]* //' | sort -u | tr '\n' ' ')"
        return 1
    fi
    sleep 1
    ad_capture_window "$id" "$out" || { ad_log "could not save $out"; return 1; }
}
