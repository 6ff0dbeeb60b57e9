#!/usr/bin/env bash
# Cross-builds Scrivlet for 64-bit Windows with mingw-w64, runs its test suites
# under wine (the windows on a virtual X display, driven with real input),
# checks that the Windows scrivlet-cli agrees with the Linux one byte for byte,
# and writes dist/scrivlet-windows.zip.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --windows
export WINEDEBUG=-all
# A wine prefix of the build's own: a new machine (or an empty home folder) has
# none, and a user's own prefix is left alone.
export WINEPREFIX="${SCRIVLET_WINEPREFIX:-$PWD/build/wineprefix}"
mkdir -p "$WINEPREFIX"
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver64)

# A display of our own for the windows, and one wine server for every program
# run below (a server per program would set the wine prefix up each time).
display=":$((90 + RANDOM % 800))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
cleanup() {
  "$wineserver" -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
"$wineserver" -k 2>/dev/null || true # a server left from another display would show nothing
"$wineserver" -p
timeout 300 "$wine" wineboot -i >/dev/null 2>&1 || true
# Wine draws the windows' own title bars (with a close box to click), as the
# virtual display has no window manager to draw them.
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1 || true

cmake --preset windows >/dev/null
cmake --build --preset windows
ctest --preset windows

# The Linux CLI is the reference.
cmake --preset default >/dev/null
cmake --build --preset default --target scrivlet-cli >/dev/null
linux=build/default/cli/scrivlet-cli
windows=build/windows/cli/scrivlet-cli.exe
editor=build/windows/app/scrivlet.exe
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
same show --row 4
same show --row 4 --mode hex
same show --row 2 # through the sample's character table: accented letters as UTF-8
cmp "$work/linux.tbl" "$work/windows.tbl"
same show --row 4294967296 # a row number past 32 bits is read whole, not cut or refused as no number
same search onett --all
same dump --output -
same fit
same fit --codes game --width 120
same fit --scroll --window 1
same refs --row 1 --codes game
for rom in linux windows; do
  run() { if [ "$rom" = linux ]; then "$linux" "$@"; else "$wine" "$windows" "$@"; fi; }
  run expand "$work/$rom.smc" >/dev/null
  run write "$work/$rom.smc" --row 1 --text "Howdy, a longer line than the old one![02]" --allow-overwrite >/dev/null
  run tpt "$work/$rom.smc" --row 2 --sprite 12 --movement 3 >/dev/null
done
cmp "$work/linux.smc" "$work/windows.smc"
echo "The Windows scrivlet-cli agrees with the Linux one."

# The editor starts with a ROM named on its command line, shows its window and
# stays up until it is closed.
"$wine" "$editor" "$work/windows.smc" &
started=$!
sleep 5
kill -0 "$started" 2>/dev/null || { echo "scrivlet.exe did not stay up" >&2; exit 1; }
"$wineserver" -k
wait "$started" 2>/dev/null || true
"$wineserver" -p

# The download: two programs with nothing but Windows' own DLLs beside them.
for program in "$windows" "$editor"; do
  if x86_64-w64-mingw32-objdump -p "$program" | grep -i "DLL Name" \
    | grep -v -i -E "kernel32|msvcrt|shell32|user32|advapi32|gdi32|comctl32|comdlg32|api-ms-win"; then
    echo "$program needs a DLL Windows does not have" >&2
    exit 1
  fi
done
package=build/windows/zip
rm -rf "$package" && mkdir -p "$package/scrivlet" dist
cp "$editor" "$windows" "$package/scrivlet/"
# The download carries no symbols (the test programs keep theirs).
x86_64-w64-mingw32-strip "$package/scrivlet/scrivlet.exe" "$package/scrivlet/scrivlet-cli.exe"
python3 scripts/help-to-text.py resources/help/help.md "$package/scrivlet/help.txt"
# Checked as a reader would find them: plain wrapped text, programs without symbols.
help="$package/scrivlet/help.txt"
# (Lines are counted in characters: the help is UTF-8, and é is one letter.)
if grep -q -e '^#' -e '\*\*' "$help" \
  || ! python3 -c 'import sys; sys.exit(any(len(l.rstrip("\r\n")) > 78 for l in open(sys.argv[1], encoding="utf-8")))' "$help"; then
  echo "help.txt is not plain text wrapped at 76 columns" >&2
  exit 1
fi
for program in "$package/scrivlet/scrivlet.exe" "$package/scrivlet/scrivlet-cli.exe"; do
  if x86_64-w64-mingw32-objdump -h "$program" | grep -q -e '\.debug' -e '\.symtab'; then
    echo "$program still carries symbols" >&2
    exit 1
  fi
done
sed 's/$/\r/' > "$package/scrivlet/README.txt" <<'README'
Scrivlet 3.0 for Windows

scrivlet.exe is the editor: open a headered EarthBound ROM image with
File > Open, pick a text block in the list, edit it below and press Apply
Changes. Help > Help finds the topics of the help file; help.txt holds the
same text.

scrivlet-cli.exe does the same from the command prompt. Run
"scrivlet-cli --help" for its commands, and "scrivlet-cli sample sample.smc"
for an image to try both programs on.

No installer: keep the files together anywhere you like. Keep a copy of
your ROM image; edits are written into the file at once.
README
(cd "$package" && rm -f ../scrivlet-windows.zip && python3 -m zipfile -c ../scrivlet-windows.zip scrivlet)
cp build/windows/scrivlet-windows.zip dist/
echo "Built dist/scrivlet-windows.zip ($(du -h dist/scrivlet-windows.zip | cut -f1)):" \
  "scrivlet.exe $(du -h "$package/scrivlet/scrivlet.exe" | cut -f1), scrivlet-cli.exe $(du -h "$package/scrivlet/scrivlet-cli.exe" | cut -f1)"
echo "Screenshots of the Windows windows: build/windows/screenshots"
