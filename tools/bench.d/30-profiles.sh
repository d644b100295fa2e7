# Loading and saving wol.ini natively on the in-memory window: 10 000 and 100 000 profiles (goal:
# 10 000 in 50 ms or less, growing linearly), and the peak memory of loading a file of 100 MB.
bench="${WOL_BENCH_NATIVE:-}/tests/bench/profiles_bench"
if [ ! -x "$bench" ]; then
    echo "profiles_load_10000: missing (no $bench)"
    exit 0
fi
"$bench" ${WOL_BENCH_QUICK:+--quick}

megabytes=100
[ -n "${WOL_BENCH_QUICK:-}" ] && megabytes=20
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
"$bench" --write-file "$folder/wol.ini" "$megabytes" && "$bench" --load-file "$folder/wol.ini"
