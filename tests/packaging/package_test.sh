#!/usr/bin/env bash
# Builds the Debian package from the build tree, as `make package` does, and
# checks what a desktop needs in it: the programs with the project's version
# and their man pages, a valid desktop entry and AppStream metadata, the icon,
# and the package's control fields.
set -euo pipefail
build=$1
version=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || { cat "$out/cpack.log"; exit 1; }
deb=$out/tarvo-tools_${version}_amd64.deb
dpkg-deb -x "$deb" "$out/root"
usr=$out/root/usr

failed=0
check() {  # description command...
  "${@:2}" || { echo "FAILED: $1"; failed=1; }
}
for program in tarvo-tools tarvo-replay tarvo-library; do
  check "$program --version" test "$("$usr/bin/$program" --version)" = "$program $version"
  check "man page of $program, gzipped" gzip -t "$usr/share/man/man1/$program.1.gz"
done
check "man page names the version" grep -q "$version" <(zcat "$usr/share/man/man1/tarvo-tools.1.gz")
check "no man page uncompressed" test -z "$(find "$usr/share/man" -name '*.1')"
check "icon" test -s "$usr/share/icons/hicolor/scalable/apps/org.tarvo.TarvoTools.svg"
check "desktop entry" desktop-file-validate "$usr/share/applications/org.tarvo.TarvoTools.desktop"
check "AppStream metadata" appstreamcli validate --no-net --pedantic \
  "$usr/share/metainfo/org.tarvo.TarvoTools.metainfo.xml"
field() { dpkg-deb --field "$deb" "$1"; }
check "Section science" test "$(field Section)" = science
check "a Maintainer" test -n "$(field Maintainer)"
for dependency in libcoin80c libqt6svg6 libqt6printsupport6 fonts-liberation libc6; do
  check "Depends on $dependency" grep -q "$dependency" <<<"$(field Depends)"
done
exit $failed
