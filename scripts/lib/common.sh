# Shared by the scripts: installing packages, configuring and building, and the
# private Wine environment (prefix, Xvfb display, persistent wineserver).
# Source it; it defines functions and sets AD_ROOT and AD_BUILD.

AD_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
AD_BUILD=${AD_BUILD:-$AD_ROOT/build}
# The native build of the portable libraries (sanitizers on), inside AD_BUILD.
AD_NATIVE_BUILD=${AD_NATIVE_BUILD:-$AD_BUILD/native}

AD_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix libz-mingw-w64-dev zlib1g-dev
             wine wine64 xvfb xauth x11-utils fonts-wine googletest ccache imagemagick g++
             libgif-dev clang libclang-rt-dev)

ad_log() { printf '== %s\n' "$*" >&2; }

ad_as_root() {
    if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs what is missing; runs apt-get update once before installing.
ad_install_packages() {
    local missing=() p
    for p in "${AD_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    ad_log "installing: ${missing[*]}"
    ad_as_root apt-get update -qq
    ad_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
}

ad_build() {
    local gen=()
    command -v ninja >/dev/null && gen=(-G Ninja)
    if [ ! -f "$AD_BUILD/CMakeCache.txt" ]; then
        cmake -S "$AD_ROOT" -B "$AD_BUILD" "${gen[@]}" \
            -DCMAKE_TOOLCHAIN_FILE="$AD_ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
    fi
    export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/ccache}
    cmake --build "$AD_BUILD" -j "$(nproc)"
}

# Native configure and build (host compiler, ASan + UBSan): only the portable
# libraries and their tests.
ad_build_native() {
    local gen=()
    command -v ninja >/dev/null && gen=(-G Ninja)
    if [ ! -f "$AD_NATIVE_BUILD/CMakeCache.txt" ]; then
        cmake -S "$AD_ROOT" -B "$AD_NATIVE_BUILD" "${gen[@]}" >/dev/null
    fi
    export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/ccache}
    cmake --build "$AD_NATIVE_BUILD" -j "$(nproc)"
}

ad_wine_binary() {
    if [ -x /usr/lib/wine/wine64 ]; then echo /usr/lib/wine/wine64
    elif command -v wine64 >/dev/null; then command -v wine64
    else command -v wine; fi
}

# Environment of the private prefix. HOME points into the build folder because
# the prefix's Desktop folder links to it.
ad_wine_env() {
    export WINEPREFIX="$AD_BUILD/wine/prefix"
    export WINEARCH=win64
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export AD_WINE_HOME="$AD_BUILD/wine/home"
    export AD_WINE=$(ad_wine_binary)
    mkdir -p "$AD_WINE_HOME"
}

# Starts Xvfb on a free display; sets DISPLAY and AD_XVFB_PID.
ad_start_xvfb() {
    local fifo
    fifo=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    AD_XVFB_PID=$!
    local i
    for i in $(seq 1 100); do
        [ -s "$fifo" ] && break
        sleep 0.1
    done
    [ -s "$fifo" ] || { rm -f "$fifo"; ad_log "Xvfb did not start"; return 1; }
    export DISPLAY=":$(head -n1 "$fifo")"
    rm -f "$fifo"
}

# Creates the prefix once: Windows 10, symbol fonts copied in, and windows not
# handed to a window manager: on a bare Xvfb there is none, and Wine then waits
# two seconds for every window it hides.
ad_ensure_prefix() {
    local stamp="$WINEPREFIX/.appdeck-ready-2"
    [ -f "$stamp" ] && return 0
    ad_log "creating Wine prefix in $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    HOME="$AD_WINE_HOME" "$AD_WINE" wineboot -i >/dev/null 2>&1 || true
    HOME="$AD_WINE_HOME" "$AD_WINE" reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null 2>&1
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    HOME="$AD_WINE_HOME" wineserver -w
    touch "$stamp"
}

# Whether Wine hands its windows to the X window manager (Y) or not (N).
ad_wine_managed() {
    HOME="$AD_WINE_HOME" "$AD_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$1" /f >/dev/null 2>&1
}

# Starts one persistent wineserver for the prefix; sets AD_WINESERVER_PID.
# Then starts the prefix's system services once, with no inherited output: a
# service started by a test would keep the test's output pipe open for as long
# as the server lives, and the test runner would wait for it forever.
ad_start_wineserver() {
    HOME="$AD_WINE_HOME" wineserver -f -p </dev/null >/dev/null 2>&1 &
    AD_WINESERVER_PID=$!
    HOME="$AD_WINE_HOME" "$AD_WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

# Stops exactly the Xvfb and wineserver this script started.
ad_stop_wine() {
    if [ -n "${AD_WINESERVER_PID:-}" ]; then
        # End the prefix's Wine processes (services, stray test programs) first;
        # they do not all exit when the server goes away.
        HOME="$AD_WINE_HOME" timeout 20 wineserver -k >/dev/null 2>&1 || true
        kill "$AD_WINESERVER_PID" 2>/dev/null || true
        wait "$AD_WINESERVER_PID" 2>/dev/null || true
        AD_WINESERVER_PID=
    fi
    if [ -n "${AD_XVFB_PID:-}" ]; then
        kill "$AD_XVFB_PID" 2>/dev/null || true
        wait "$AD_XVFB_PID" 2>/dev/null || true
        AD_XVFB_PID=
    fi
}

# Everything a Wine run needs: display, prefix, server. Stops them again when
# the script exits, however it exits.
ad_start_wine() {
    trap ad_stop_wine EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
    ad_wine_env
    ad_start_xvfb
    ad_ensure_prefix
    ad_start_wineserver
    ad_wine_managed N
}

# Like ad_start_wine, but on the X display already in $DISPLAY (no Xvfb of
# our own): private prefix and persistent server, stopped again on exit.
ad_start_wine_on_display() {
    trap ad_stop_wine EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
    ad_wine_env
    ad_ensure_prefix
    ad_start_wineserver
    ad_wine_managed Y  # a real desktop has a window manager: let it manage the windows
}
