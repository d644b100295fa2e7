# The time from the product's start to its window showing, under Wine, warm: the median of several
# runs after one that is not counted (the e2e driver's startup-time scenario).
source "$(dirname "${BASH_SOURCE[0]}")/wine-driver.inc"
runs=9
[ -n "${WOL_BENCH_QUICK:-}" ] && runs=3
if ! driver_built; then
    echo "window_shown_ms: missing (build the win32 preset)"
    exit 0
fi
driver_figure startup-time window_shown_ms "--runs=$runs"
