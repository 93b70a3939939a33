#!/bin/sh
# Runs each libFuzzer target of the configuration readers for SECONDS, starting from the
# corpus in fuzz/corpus/<target>/, and fails on any crash, hang, leak, memory limit or
# sanitizer report. Prints executions and coverage (cov, ft) per target.
#
#   cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DKELVIRA_FUZZ=ON
#   scripts/fuzz.sh build-fuzz 60
#
# New inputs go to a temporary folder, which is kept (and named) only when a target failed.
set -u

if [ $# -ne 2 ]; then
    echo "usage: $0 BUILD_DIR SECONDS" >&2
    exit 2
fi
build=$1
seconds=$2
source_dir=$(cd "$(dirname "$0")/.." && pwd)
targets="customization calibration leading_number class_message"

for target in $targets; do
    set -- "$@" "${target}_fuzzer"
done
shift 2
if ! cmake --build "$build" --target "$@" >/dev/null; then
    echo "cannot build the fuzz targets in $build (configured with -DKELVIRA_FUZZ=ON?)" >&2
    exit 2
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/kelvira-fuzz.XXXXXX")
failed=0
for target in $targets; do
    dir="$work/$target"
    mkdir -p "$dir/corpus" "$dir/artifacts"
    QT_QPA_PLATFORM=offscreen LSAN_OPTIONS="suppressions=$source_dir/fuzz/lsan.supp" \
        "$build/fuzz/${target}_fuzzer" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$dir/artifacts/" \
        "$dir/corpus" "$source_dir/fuzz/corpus/$target" >"$dir/log" 2>&1
    status=$?

    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$dir/log" | tail -n 1)
    last=$(grep -E '^#[0-9]+' "$dir/log" | tail -n 1)
    cov=$(echo "$last" | sed -n 's/.* cov: \([0-9]*\).*/\1/p')
    ft=$(echo "$last" | sed -n 's/.* ft: \([0-9]*\).*/\1/p')
    corpus=$(echo "$last" | sed -n 's/.* corp: \([0-9]*\/[0-9a-zA-Z]*\).*/\1/p')
    findings=$(ls "$dir/artifacts" | wc -l)
    reports=$(grep -cE 'ERROR: (AddressSanitizer|LeakSanitizer|UndefinedBehaviorSanitizer|libFuzzer)|runtime error:|invariant broken' "$dir/log")

    result=ok
    if [ "$status" -ne 0 ] || [ "$findings" -ne 0 ] || [ "$reports" -ne 0 ] || [ -z "$executions" ]; then
        result=FAILED
        failed=1
    fi
    printf '%-15s executions %-10s cov %-6s ft %-6s corpus %-12s %s\n' \
        "$target" "${executions:-?}" "${cov:-?}" "${ft:-?}" "${corpus:-?}" "$result"
    if [ "$result" = FAILED ]; then
        grep -E 'ERROR|runtime error|invariant broken|SUMMARY|Test unit written' "$dir/log" | head -n 20
        echo "  log and inputs: $dir"
    fi
done

if [ "$failed" -ne 0 ]; then
    exit 1
fi
rm -rf "$work"
