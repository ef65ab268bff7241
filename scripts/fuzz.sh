#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/, native clang with ASan and UBSan) and runs
# each for a while: scripts/fuzz.sh [seconds, default 30] [target...].
# Seeds come from fuzz/corpus/<target>/ (generated when missing); new inputs go
# to a working corpus in the build folder. Prints one line per target and exits
# non-zero when a target crashed, naming the input that did it.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"

seconds=${1:-30}
[ $# -gt 0 ] && shift
fuzz_build=${AD_FUZZ_BUILD:-$AD_ROOT/build-fuzz}
gen=()
command -v ninja >/dev/null && gen=(-G Ninja)
if [ ! -f "$fuzz_build/CMakeCache.txt" ]; then
    cmake -S "$AD_ROOT/fuzz" -B "$fuzz_build" "${gen[@]}" -DCMAKE_CXX_COMPILER=clang++ >/dev/null
fi
export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/ccache}
if ! cmake --build "$fuzz_build" -j "$(nproc)" >"$fuzz_build/build.log" 2>&1; then
    grep -E "error|Error" -A5 "$fuzz_build/build.log" | head -60 >&2
    echo "fuzz: the targets do not build (whole log: $fuzz_build/build.log)" >&2
    exit 1
fi

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for exe in "$fuzz_build"/bin/fuzz_*; do
        name=$(basename "$exe")
        [ "$name" = fuzz_seeds ] && continue
        targets+=("${name#fuzz_}")
    done
fi

corpus_root="$AD_ROOT/fuzz/corpus"
"$fuzz_build/bin/fuzz_seeds" "$corpus_root"

failed=0
for t in "${targets[@]}"; do
    exe="$fuzz_build/bin/fuzz_$t"
    [ -x "$exe" ] || { echo "fuzz $t: no such target"; failed=1; continue; }
    work="$fuzz_build/corpus/$t"
    crashes="$fuzz_build/crashes/$t"
    mkdir -p "$work" "$crashes" "$corpus_root/$t"
    log="$fuzz_build/$t.log"
    if "$exe" -max_total_time="$seconds" -rss_limit_mb=2048 -malloc_limit_mb=1024 -timeout=10 \
            -print_final_stats=1 -artifact_prefix="$crashes/" "$work" "$corpus_root/$t" >"$log" 2>&1; then
        runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
        echo "fuzz $t: ok, $runs runs in ${seconds}s"
    else
        input=$(grep -o "Test unit written to [^ ]*" "$log" | tail -n1 | sed 's/Test unit written to //')
        echo "fuzz $t: CRASH, input ${input:-unknown} (log $log)"
        failed=1
    fi
done
exit $failed
