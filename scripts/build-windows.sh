#!/usr/bin/env bash
# Cross-builds Scrivlet for 64-bit Windows with mingw-w64, runs the test suites
# that run there under wine, checks that the Windows scrivlet-cli agrees with the
# Linux one byte for byte, and writes dist/scrivlet-windows.zip.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --windows
export WINEDEBUG=-all
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
# One wine server for all the runs below, instead of one started per program.
"$wineserver" -p
trap '"$wineserver" -k 2>/dev/null || true' EXIT
cmake --preset windows >/dev/null
cmake --build --preset windows
ctest --preset windows

# The Linux CLI is the reference.
cmake --preset default >/dev/null
cmake --build --preset default --target scrivlet-cli >/dev/null
linux=build/default/cli/scrivlet-cli
windows=build/windows/cli/scrivlet-cli.exe
work=build/windows/agree
rm -rf "$work" && mkdir -p "$work"
"$linux" sample "$work/linux.smc" >/dev/null
"$wine" "$windows" sample "$work/windows.smc" >/dev/null
cmp "$work/linux.smc" "$work/windows.smc"
# Standard error ends its lines as the console does (CR LF on Windows).
same() {
  local command=$1
  shift
  diff <("$linux" "$command" "$work/linux.smc" "$@" 2>&1) <("$wine" "$windows" "$command" "$work/windows.smc" "$@" 2>&1 | tr -d '\r')
}
same identify
same list
same list --source raw
same show --row 3
same show --row 3 --mode hex
same search onett --all
same dump --output -
for rom in linux windows; do
  run() { if [ "$rom" = linux ]; then "$linux" "$@"; else "$wine" "$windows" "$@"; fi; }
  run expand "$work/$rom.smc" >/dev/null
  run write "$work/$rom.smc" --row 0 --text "Howdy, a longer line than the old one![02]" --allow-overwrite >/dev/null
  run tpt "$work/$rom.smc" --row 1 --sprite 12 --movement 3 >/dev/null
  run make-patch "$work/linux.smc" "$work/$rom.smc" "$work/$rom.bps" >/dev/null || true
done
cmp "$work/linux.smc" "$work/windows.smc"
echo "The Windows scrivlet-cli agrees with the Linux one."

# The download: one program with nothing but Windows' own DLLs beside it.
if x86_64-w64-mingw32-objdump -p "$windows" | grep -i "DLL Name" | grep -v -i -E "kernel32|msvcrt|shell32|user32|advapi32|api-ms-win" ; then
  echo "scrivlet-cli.exe needs a DLL Windows does not have" >&2
  exit 1
fi
package=build/windows/zip
rm -rf "$package" && mkdir -p "$package/scrivlet" dist
cp "$windows" "$package/scrivlet/"
cp resources/help/help.md "$package/scrivlet/help.txt"
cat > "$package/scrivlet/README.txt" <<'README'
Scrivlet for Windows

scrivlet-cli.exe reads and edits the dialogue text of an EarthBound ROM image
from the command prompt. Run "scrivlet-cli --help" for its commands, and
"scrivlet-cli sample sample.smc" for an image to try them on. help.txt
explains the text format and every tool. No installer: keep the files together.
README
(cd "$package" && rm -f ../scrivlet-windows.zip && python3 -m zipfile -c ../scrivlet-windows.zip scrivlet)
cp build/windows/scrivlet-windows.zip dist/
echo "Built dist/scrivlet-windows.zip ($(du -h dist/scrivlet-windows.zip | cut -f1))"
