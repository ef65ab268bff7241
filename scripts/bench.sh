#!/usr/bin/env bash
# Builds the native benchmarks with optimisation (no sanitizers) and runs the
# digest benchmark against OpenSSL, libgcrypt, RHash and zlib in one run, then
# the GIF codec benchmark against giflib (its quantizer against ImageMagick's,
# its optimiser against gifsicle), then the skin engine's benchmark
# (PNG against libpng, packed skins against zlib, colour adjustments against
# ImageMagick).
# Installs the peer libraries on first use. Arguments go to hash_bench:
# [buffer size in MiB, default 256] [runs, default 3]. Not part of the tests.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"

AD_PACKAGES=(cmake ninja-build g++ ccache googletest libssl-dev libgcrypt20-dev librhash-dev zlib1g-dev libgif-dev
             libpng-dev libjpeg-dev imagemagick gifsicle)
ad_install_packages

bench_build=${AD_BENCH_BUILD:-$AD_BUILD/native-bench}
gen=()
command -v ninja >/dev/null && gen=(-G Ninja)
if [ ! -f "$bench_build/CMakeCache.txt" ]; then
    cmake -S "$AD_ROOT" -B "$bench_build" "${gen[@]}" -DCMAKE_BUILD_TYPE=Release \
        -DAD_SANITIZE=OFF -DAD_BENCH=ON >/dev/null
fi
ad_ccache_env
cmake --build "$bench_build" -j "$AD_JOBS" --target hash_bench gif_bench skin_bench
"$bench_build/bin/hash_bench" "$@"
# ImageMagick's own convert (a convert earlier on PATH may be something else).
convert=/usr/bin/convert
[ -x "$convert" ] || convert=$(command -v convert || true)
gifsicle=$(command -v gifsicle || true)
"$bench_build/bin/gif_bench" "$convert" "$gifsicle" "$bench_build"  # GIF codec against giflib, ImageMagick, gifsicle
"$bench_build/bin/skin_bench" "$convert" "$bench_build"
