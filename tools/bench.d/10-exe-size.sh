# The size of the product exe, and the DLLs it imports (system DLLs only, nothing beside it).
exe="$WOL_BENCH_WIN32/wol.exe"
if [ -f "$exe" ]; then
    echo "exe_size: $(( $(stat -c %s "$exe") / 1024 )) KB"
    dlls=$(i686-w64-mingw32-objdump -p "$exe" | awk '/DLL Name/ {print $3}' | sort | tr '\n' ' ')
    echo "exe_imported_dlls: $(echo "$dlls" | wc -w) ($dlls)"
else
    echo "exe_size: missing (no $exe)"
fi
