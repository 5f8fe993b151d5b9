#!/usr/bin/env bash
# The plug-in exports exactly its two entry points (Main at ordinal 1 and VSTPluginMain at
# ordinal 2 on Windows), and the DLL imports nothing but system DLLs.
set -euo pipefail
library=$1
case $library in
  *.so)
    exports=$(nm -D --defined-only "$library" | awk '{print $3}' | sort | tr '\n' ' ')
    [ "$exports" = "Main VSTPluginMain " ] || { echo "unexpected exports: $exports"; exit 1; } ;;
  *.dll)
    dump=$(x86_64-w64-mingw32-objdump -p "$library")
    table=$(echo "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | grep -E '^\s*\[ *[0-9]+\]' | awk '{print $2, $3}' | tr '\n' ' ')
    ordinals=$(echo "$dump" | sed -n '/^Export Address Table/,/^$/p' | grep -c 'Export RVA')
    [ "$table" = "0] Main 1] VSTPluginMain " ] || { echo "unexpected export names: $table"; exit 1; }
    [ "$ordinals" = 2 ] || { echo "expected 2 exported ordinals, found $ordinals"; exit 1; }
    grep -qE '^Ordinal Base\s+1$' <<<"$dump" || { echo "ordinals do not start at 1"; exit 1; }
    imports=$(echo "$dump" | awk '/DLL Name:/ {print toupper($3)}' | sort -u | tr '\n' ' ')
    for dll in $imports; do
      case $dll in
        KERNEL32.DLL|MSVCRT.DLL|USER32.DLL|GDI32.DLL|ADVAPI32.DLL|SHELL32.DLL|OLE32.DLL) ;;
        *) echo "imports a non-system DLL: $dll"; exit 1 ;;
      esac
    done ;;
  *) echo "usage: check-exports.sh LIBRARY.so|LIBRARY.dll"; exit 2 ;;
esac
echo "exports of $(basename "$library") are Main and VSTPluginMain"
