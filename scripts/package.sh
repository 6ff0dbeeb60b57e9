#!/usr/bin/env bash
# Builds dist/scrivlet_<version>_amd64.deb from the default build: both programs,
# the desktop entry, icons, manual pages, copyright and changelog, with its
# dependencies worked out by dpkg-shlibdeps; checks it with lintian and runs
# both programs from a scratch root where it is unpacked.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --package
cmake --preset default >/dev/null
cmake --build --preset default --target scrivlet scrivlet-cli

version=$(sed -n 's/^project(scrivlet VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
arch=$(dpkg --print-architecture)
stage=build/package/root
rm -rf build/package && mkdir -p "$stage" dist
DESTDIR="$PWD/$stage" cmake --install build/default --prefix /usr >/dev/null
strip --strip-unneeded --remove-section=.comment --remove-section=.note "$stage/usr/bin/"*
gzip -9n "$stage/usr/share/man/man1/"*.1
doc="$stage/usr/share/doc/scrivlet"
mkdir -p "$doc"
install -m 644 packaging/copyright "$doc/copyright"
gzip -9nc packaging/changelog > "$doc/changelog.gz"
find "$stage" -type d -exec chmod 755 {} +
find "$stage" -type f -exec chmod 644 {} +
chmod 755 "$stage/usr/bin/"*

# Dependencies from the shared libraries the programs use.
work=build/package/shlibs
mkdir -p "$work/debian"
printf 'Source: scrivlet\n\nPackage: scrivlet\nArchitecture: any\n' > "$work/debian/control"
depends=$(cd "$work" && dpkg-shlibdeps -O "$OLDPWD/$stage/usr/bin/scrivlet" "$OLDPWD/$stage/usr/bin/scrivlet-cli" 2>/dev/null \
  | sed -n 's/^shlibs:Depends=//p')
# The window needs a Qt platform plugin, which no library dependency names.
depends="$depends, qt6-qpa-plugins"

mkdir -p "$stage/DEBIAN"
size=$(du -sk --exclude=DEBIAN "$stage" | cut -f1)
cat > "$stage/DEBIAN/control" <<CONTROL
Package: scrivlet
Version: $version
Architecture: $arch
Maintainer: Scrivlet developers <team@scrivlet.invalid>
Installed-Size: $size
Depends: $depends
Section: editors
Priority: optional
Homepage: https://scrivlet.invalid/
Description: editor for the dialogue text of EarthBound ROM images
 Scrivlet opens a headered HiROM image of the SNES game EarthBound, lists its
 text blocks, shows each as editable text with control codes in bracket groups
 and writes edited text back in place, whole or not at all. It expands the
 image to 4 MiB, edits text pointer table records, searches, dumps and imports
 all text, and makes IPS and BPS patches to share a translation.
 .
 The package holds the editor window (scrivlet) and a command-line companion
 (scrivlet-cli) with the same rules and words.
CONTROL
(cd "$stage" && find usr -type f -exec md5sum {} + | sort -k2) > "$stage/DEBIAN/md5sums"
chmod 644 "$stage/DEBIAN/control" "$stage/DEBIAN/md5sums"
deb="dist/scrivlet_${version}_${arch}.deb"
dpkg-deb --root-owner-group -Zxz --build "$stage" "$deb" >/dev/null
echo "Built $deb ($(du -h "$deb" | cut -f1))"

# lintian: errors fail the build.
lintian --tag-display-limit 0 "$deb" | tee build/package/lintian.txt
if grep -q '^E:' build/package/lintian.txt; then
  echo "lintian found errors" >&2
  exit 1
fi

# Both programs run from a scratch root where the package is unpacked.
scratch=build/package/scratch
rm -rf "$scratch" && dpkg -x "$deb" "$scratch"
"$scratch/usr/bin/scrivlet-cli" sample "$scratch/sample.smc" >/dev/null
"$scratch/usr/bin/scrivlet-cli" identify "$scratch/sample.smc"
status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$scratch/usr/bin/scrivlet" || status=$?
if [ "$status" -ne 124 ]; then
  echo "the editor from the package did not stay up (exit $status)" >&2
  exit 1
fi
echo "Both programs run from the unpacked package."
