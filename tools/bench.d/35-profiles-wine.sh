# Loading a large wol.ini into the real window under Wine: the time from the product's start to
# its window showing with every profile in the combo box, warm, the median of several runs after one
# that is not counted (the e2e driver's profiles-load-time scenario). 10 000 profiles, and 100 000
# unless --quick. Compare with window_shown_ms, the same time without a wol.ini. As root it runs
# in a network namespace of its own, so the product's socket stays off the machine's network.
build="${WOL_BENCH_WIN32:-build/win32}"
driver="$build/tests/e2e/e2e_driver.exe"
counts=(10000 100000)
runs=7
if [ -n "${WOL_BENCH_QUICK:-}" ]; then
    counts=(10000)
    runs=3
fi
if [ ! -f "$build/wol.exe" ] || [ ! -f "$driver" ]; then
    for count in "${counts[@]}"; do
        echo "profiles_wine_load_$count: missing (build the win32 preset)"
    done
    exit 0
fi
folder="$build/bench-profiles-wine"
rm -rf "$folder" && mkdir -p "$folder" && cp "$build/wol.exe" "$folder/"
folder=$(cd "$folder" && pwd)
product="Z:${folder//\//\\}\\wol.exe"
for count in "${counts[@]}"; do
    command=(tests/wine/wine-run --prefix "$build/e2e-wine-prefix" --timeout 600 "$driver" profiles-load-time
             "--product=$product" "--count=$count" "--runs=$runs")
    if [ "$(id -u)" = 0 ]; then
        ns="wolbench-profiles-$$"
        ip netns add "$ns"
        output=$(ip netns exec "$ns" "${command[@]}" 2>/dev/null)
        ip netns del "$ns"
    else
        output=$("${command[@]}" 2>/dev/null)
    fi
    line=$(printf '%s\n' "$output" | sed -n "s/^# \\(profiles_wine_load_$count: .*\\)\$/\\1/p")
    echo "${line:-profiles_wine_load_$count: failed}"
done
rm -rf "$folder"
