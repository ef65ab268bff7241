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
command -v clang++ >/dev/null || { echo "fuzz: the fuzz targets need clang (apt-get install clang libclang-rt-dev)" >&2; exit 1; }
# The fuzz targets are part of the native build (compiled with clang).
fuzz_build=$AD_NATIVE_BUILD
build_log="$AD_BUILD/fuzz-build.log"
mkdir -p "$AD_BUILD"
if ! ad_build_native fuzz_targets >"$build_log" 2>&1; then
    grep -E "error|Error" -A5 "$build_log" | head -60 >&2
    echo "fuzz: the targets do not build (whole log: $build_log)" >&2
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

# Runs one target; prints its line and returns non-zero when it crashed.
fuzz_one() {
    local t=$1 exe="$fuzz_build/bin/fuzz_$1"
    [ -x "$exe" ] || { echo "fuzz $t: no such target"; return 1; }
    local work="$fuzz_build/corpus/$t" crashes="$fuzz_build/crashes/$t" log="$fuzz_build/fuzz-$t.log"
    mkdir -p "$work" "$crashes" "$corpus_root/$t"
    if "$exe" -max_total_time="$seconds" -rss_limit_mb=2048 -malloc_limit_mb=1024 -timeout=10 \
            -print_final_stats=1 -artifact_prefix="$crashes/" "$work" "$corpus_root/$t" >"$log" 2>&1; then
        local runs
        runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
        echo "fuzz $t: ok, $runs runs in ${seconds}s"
    else
        local input
        input=$(grep -o "Test unit written to [^ ]*" "$log" | tail -n1 | sed 's/Test unit written to //')
        echo "fuzz $t: CRASH, input ${input:-unknown} (log $log)"
        return 1
    fi
}

# AD_JOBS targets at a time (each one runs on one core); a target that crashed
# leaves a mark beside its log.
rm -f "$fuzz_build"/fuzz-*.failed
for t in "${targets[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "$AD_JOBS" ]; do
        sleep 0.5
    done
    (fuzz_one "$t" || touch "$fuzz_build/fuzz-$t.failed") &
done
wait
failed=0
for t in "${targets[@]}"; do
    [ -e "$fuzz_build/fuzz-$t.failed" ] && failed=1
done
exit $failed
