# The time from the product's start to its window showing, under Wine, warm: the median of several
# runs after one that is not counted (the e2e driver's startup-time scenario). As root it runs in
# a network namespace of its own, so the product's socket stays off the machine's network.
build="${WOL_BENCH_WIN32:-build/win32}"
driver="$build/tests/e2e/e2e_driver.exe"
if [ ! -f "$build/wol.exe" ] || [ ! -f "$driver" ]; then
    echo "window_shown_ms: missing (build the win32 preset)"
    exit 0
fi
runs=9
[ -n "${WOL_BENCH_QUICK:-}" ] && runs=3
folder="$build/bench-window"
rm -rf "$folder" && mkdir -p "$folder" && cp "$build/wol.exe" "$folder/"
folder=$(cd "$folder" && pwd)
product="Z:${folder//\//\\}\\wol.exe"
command=(tests/wine/wine-run --prefix "$build/e2e-wine-prefix" --timeout 300 "$driver" startup-time
         "--product=$product" "--runs=$runs")
if [ "$(id -u)" = 0 ]; then
    ns="wolbench-window-$$"
    ip netns add "$ns"
    output=$(ip netns exec "$ns" "${command[@]}" 2>/dev/null)
    ip netns del "$ns"
else
    output=$("${command[@]}" 2>/dev/null)
fi
line=$(printf '%s\n' "$output" | sed -n 's/^# \(window_shown_ms: .*\)$/\1/p')
echo "${line:-window_shown_ms: failed}"
