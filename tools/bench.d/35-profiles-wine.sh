# Loading a large wol.ini into the real window under Wine: the time from the product's start to
# its window showing with every profile in the combo box, warm, the median of several runs after one
# that is not counted (the e2e driver's profiles-load-time scenario). 10 000 profiles, and 100 000
# unless --quick. Compare with window_shown_ms, the same time without a wol.ini.
source "$(dirname "${BASH_SOURCE[0]}")/wine-driver.inc"
counts=(10000 100000)
runs=7
if [ -n "${WOL_BENCH_QUICK:-}" ]; then
    counts=(10000)
    runs=3
fi
for count in "${counts[@]}"; do
    if driver_built; then
        driver_figure profiles-load-time "profiles_wine_load_$count" "--count=$count" "--runs=$runs"
    else
        echo "profiles_wine_load_$count: missing (build the win32 preset)"
    fi
done
