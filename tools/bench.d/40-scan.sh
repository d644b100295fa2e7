# The scan's pace, with the real clock and fake probes that answer within a pass: the mean length of
# a dispatch pass and its worst deviation from 500 ms, the 256-address scan that pace makes, and the
# worst and mean time from a probe's append to its row in the list view.
bench="${WOL_BENCH_NATIVE:-build/native}/tests/scan/scan_bench"
if [ ! -x "$bench" ]; then
    echo "scan_pass_ms: missing (no $bench)"
    exit 0
fi
addresses=40
[ -n "${WOL_BENCH_QUICK:-}" ] && addresses=12
"$bench" "$addresses"
