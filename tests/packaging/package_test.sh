#!/usr/bin/env bash
# Builds the Debian package from the build tree, as `make package` does, and
# checks its control fields and that it holds every installed file.
set -euo pipefail
build=$1
version=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || { cat "$out/cpack.log"; exit 1; }
deb=$out/tarvo-tools_${version}_amd64.deb
[[ -f "$deb" ]] || { echo "no $deb"; ls "$out"; exit 1; }

failed=0
files=$(dpkg-deb --contents "$deb" | awk '{print $6}')
for path in ./usr/bin/tarvo-tools ./usr/bin/tarvo-replay \
            ./usr/share/applications/org.tarvo.TarvoTools.desktop \
            ./usr/share/icons/hicolor/scalable/apps/org.tarvo.TarvoTools.svg \
            ./usr/share/metainfo/org.tarvo.TarvoTools.metainfo.xml \
            ./usr/share/man/man1/tarvo-tools.1 ./usr/share/man/man1/tarvo-replay.1; do
  grep -qxF "$path" <<<"$files" || { echo "MISSING in the package: $path"; failed=1; }
done
field() { dpkg-deb --field "$deb" "$1"; }
[[ "$(field Section)" == science ]] || { echo "Section: $(field Section)"; failed=1; }
[[ -n "$(field Maintainer)" ]] || { echo "no Maintainer"; failed=1; }
for dependency in libqt6webenginewidgets6 libqt6webenginecore6-bin libqt6webengine6-data libc6; do
  grep -q "$dependency" <<<"$(field Depends)" || { echo "Depends lacks $dependency: $(field Depends)"; failed=1; }
done
exit $failed
