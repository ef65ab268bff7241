# Shared by the scripts: installing packages, configuring and building, and the
# private Wine environment (prefix, Xvfb display, persistent wineserver).
# Source it; it defines functions and sets AD_ROOT and AD_BUILD.

AD_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
AD_BUILD=${AD_BUILD:-$AD_ROOT/build}
# The native build of the portable libraries (sanitizers on, and with clang the
# fuzz targets too), inside AD_BUILD.
AD_NATIVE_BUILD=${AD_NATIVE_BUILD:-$AD_BUILD/native}
# Parallel jobs of the builds, the test runs and the fuzzing (default: the
# cores this process may use).
AD_JOBS=${AD_JOBS:-$(nproc)}

AD_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix libz-mingw-w64-dev zlib1g-dev
             wine wine64 xvfb xauth x11-utils fonts-wine googletest ccache imagemagick g++
             libgif-dev clang libclang-rt-dev libjpeg-dev dpkg-dev nasm)

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

# libjpeg for the Windows build: libjpeg-turbo from Debian's own source package,
# cross-built static (SIMD through nasm) and installed into $AD_JPEG_PREFIX,
# where the CMake build finds it (cmake/AppdeckJpeg.cmake). The source index
# comes from a private apt configuration in the build tree whose deb-src entries
# are derived from the machine's own Debian sources; the system's apt setup is
# left alone. Done once: a stamp file marks a finished install.
AD_JPEG_CACHE=${AD_JPEG_CACHE:-$AD_BUILD/deps/cache}
AD_JPEG_PREFIX=${AD_JPEG_PREFIX:-$AD_BUILD/deps/libjpeg}

# The machine's release name (deb-src entries are derived for it only).
ad_debian_codename() { (. /etc/os-release && echo "${VERSION_CODENAME:-}"); }

# Prints deb822 deb-src entries for the enabled deb entries of the machine's
# release in /etc/apt/sources.list.d/*.sources.
ad_debian_src_sources() {
    local codename f
    codename=$(ad_debian_codename)
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] || continue
        awk -v cn="$codename" 'BEGIN { RS = "" }
            {
                n = split($0, line, "\n"); deb = 0; ours = 0; off = 0
                for (i = 1; i <= n; i++) {
                    if (line[i] ~ /^Types:/ && line[i] ~ /[ \t]deb([ \t]|$)/) deb = 1
                    if (line[i] ~ /^Enabled:[ \t]*no/) off = 1
                    if (line[i] ~ /^Suites:/) {
                        m = split(line[i], s, /[ \t]+/)
                        for (j = 2; j <= m; j++) if (s[j] == cn || index(s[j], cn "-") == 1) ours = 1
                    }
                }
                if (!deb || !ours || off) next
                for (i = 1; i <= n; i++)
                    if (line[i] !~ /^#/) print (line[i] ~ /^Types:/ ? "Types: deb-src" : line[i])
                print ""
            }' "$f"
    done
}

# The same for one-line entries ("deb [options] URI suite components...").
ad_debian_src_list() {
    local codename f
    codename=$(ad_debian_codename)
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$f" ] || continue
        awk -v cn="$codename" '$1 == "deb" {
                k = 2
                if ($2 ~ /^\[/) { while (k < NF && $k !~ /\]$/) k++; k++ }
                suite = $(k + 1)
                if (suite != cn && index(suite, cn "-") != 1) next
                $1 = "deb-src"; print
            }' "$f"
    done
}

ad_build_jpeg() {
    local stamp="$AD_JPEG_PREFIX/.built-libjpeg-turbo-1"
    [ -f "$stamp" ] && [ -f "$AD_JPEG_PREFIX/lib/libjpeg.a" ] && return 0
    local started=$SECONDS
    ad_log "building libjpeg-turbo for Windows from Debian's source package"
    local apt="$AD_JPEG_CACHE/apt"
    rm -rf "$apt" "$AD_JPEG_CACHE/src" "$AD_JPEG_CACHE/build" "$AD_JPEG_PREFIX"
    mkdir -p "$apt/sources.list.d" "$apt/lists/partial" "$apt/cache/archives/partial" "$AD_JPEG_CACHE/src"
    [ -n "$(ad_debian_codename)" ] || { ad_log "no VERSION_CODENAME in /etc/os-release"; return 1; }
    ad_debian_src_sources >"$apt/sources.list.d/debian-src.sources"
    ad_debian_src_list >"$apt/sources.list.d/debian-src.list"
    if ! grep -q . "$apt/sources.list.d/debian-src.sources" "$apt/sources.list.d/debian-src.list"; then
        ad_log "no Debian apt source found to derive a deb-src entry from"
        return 1
    fi
    local aptopts=(-q -o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$apt/sources.list.d"
                   -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache" -o Debug::NoLocking=1)
    [ "$(id -u)" = 0 ] && aptopts+=(-o APT::Sandbox::User=root)
    apt-get "${aptopts[@]}" update >"$apt/update.log" 2>&1 \
        || { ad_log "apt-get update of the source index failed ($apt/update.log)"; return 1; }
    (cd "$AD_JPEG_CACHE/src" && apt-get "${aptopts[@]}" source libjpeg-turbo) >"$apt/source.log" 2>&1 \
        || { ad_log "apt-get source libjpeg-turbo failed ($apt/source.log)"; return 1; }
    local src
    src=$(find "$AD_JPEG_CACHE/src" -mindepth 1 -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n1)
    [ -n "$src" ] || { ad_log "no unpacked libjpeg-turbo source in $AD_JPEG_CACHE/src"; return 1; }
    local gen=() launcher=()
    command -v ninja >/dev/null && gen=(-G Ninja)
    command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache)
    # The install prefix is given: the default for Windows targets is a drive path.
    cmake -S "$src" -B "$AD_JPEG_CACHE/build" "${gen[@]}" "${launcher[@]}" \
        -DCMAKE_TOOLCHAIN_FILE="$AD_ROOT/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$AD_JPEG_PREFIX" \
        -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DREQUIRE_SIMD=ON \
        >"$AD_JPEG_CACHE/configure.log" 2>&1 \
        || { ad_log "configuring libjpeg-turbo failed ($AD_JPEG_CACHE/configure.log)"; return 1; }
    # Only the static library; its headers are copied beside it (the full
    # install would build the command-line tools as well).
    cmake --build "$AD_JPEG_CACHE/build" -j "$AD_JOBS" --target jpeg-static >"$AD_JPEG_CACHE/build.log" 2>&1 \
        || { ad_log "building libjpeg-turbo failed ($AD_JPEG_CACHE/build.log)"; return 1; }
    mkdir -p "$AD_JPEG_PREFIX/lib" "$AD_JPEG_PREFIX/include"
    cp "$AD_JPEG_CACHE/build/libjpeg.a" "$AD_JPEG_PREFIX/lib/"
    cp "$AD_JPEG_CACHE/build/jconfig.h" "$src/jpeglib.h" "$src/jmorecfg.h" "$src/jerror.h" "$AD_JPEG_PREFIX/include/"
    basename "$src" >"$AD_JPEG_PREFIX/VERSION"
    touch "$stamp"
    ad_log "libjpeg-turbo built in $((SECONDS - started)) s"
}

ad_has_build_files() { [ -f "$1/build.ninja" ] || [ -f "$1/Makefile" ]; }

# ccache's cache is shared by every checkout and build folder of this machine:
# paths below the checkout are hashed relative to it.
ad_ccache_env() {
    export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/ccache}
    export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$AD_ROOT} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-true}
}

# The Windows build: ad_build [target...] makes the given targets, or without
# any the default set (the program, the libraries and every test; benchmarks
# and tools are made when named).
ad_build() {
    ad_build_jpeg
    local gen=()
    command -v ninja >/dev/null && gen=(-G Ninja)
    # A configure that failed half-way leaves a cache without build files.
    if [ ! -f "$AD_BUILD/CMakeCache.txt" ] || ! ad_has_build_files "$AD_BUILD"; then
        cmake -S "$AD_ROOT" -B "$AD_BUILD" "${gen[@]}" \
            -DCMAKE_TOOLCHAIN_FILE="$AD_ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
    fi
    ad_ccache_env
    cmake --build "$AD_BUILD" -j "$AD_JOBS" ${1:+--target "$@"}
}

# The native build (ASan + UBSan): the portable libraries and their tests, and
# the fuzz targets when named (target fuzz_targets). It is compiled with clang
# when it is installed, so that the tests and the fuzz targets share one build
# of the libraries; a build folder configured with another compiler is made
# afresh. ad_build_native [target...] as ad_build.
ad_build_native() {
    local gen=() compiler=()
    command -v ninja >/dev/null && gen=(-G Ninja)
    if command -v clang++ >/dev/null; then
        compiler=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++)
        if [ -f "$AD_NATIVE_BUILD/CMakeCache.txt" ] \
           && ! grep -q '^CMAKE_CXX_COMPILER:[A-Z]*=.*clang++' "$AD_NATIVE_BUILD/CMakeCache.txt"; then
            ad_log "the native build in $AD_NATIVE_BUILD used another compiler: configuring it afresh for clang"
            rm -rf "$AD_NATIVE_BUILD"
        fi
    fi
    if [ ! -f "$AD_NATIVE_BUILD/CMakeCache.txt" ] || ! ad_has_build_files "$AD_NATIVE_BUILD"; then
        cmake -S "$AD_ROOT" -B "$AD_NATIVE_BUILD" "${gen[@]}" "${compiler[@]}" >/dev/null
    fi
    ad_ccache_env
    cmake --build "$AD_NATIVE_BUILD" -j "$AD_JOBS" ${1:+--target "$@"}
}

ad_wine_binary() {
    if [ -x /usr/lib/wine/wine64 ]; then echo /usr/lib/wine/wine64
    elif command -v wine64 >/dev/null; then command -v wine64
    else command -v wine; fi
}

# Environment of the private prefix. HOME points into the build folder because
# the prefix's Desktop folder links to it. Wine's own messages are off unless
# WINEDEBUG is set (e.g. WINEDEBUG=err+all,warn+all or +seh,+relay).
ad_wine_env() {
    export WINEPREFIX="$AD_BUILD/wine/prefix"
    export WINEARCH=win64
    export WINEDEBUG=${WINEDEBUG:--all}
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
