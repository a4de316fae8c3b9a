#!/usr/bin/env bash
# Installs the build tree into a fresh prefix and checks what a desktop needs:
# the programs with the project's version, a valid desktop entry and AppStream
# metadata, the icon and the man pages.
set -euo pipefail
build=$1
version=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

failed=0
check() {  # description command...
  "${@:2}" || { echo "FAILED: $1"; failed=1; }
}
for program in tarvo-tools tarvo-replay tarvo-library; do
  [[ $program == tarvo-library && ! -x "$prefix/bin/$program" ]] && continue
  check "$program --version" test "$("$prefix/bin/$program" --version)" = "$program $version"
  check "man page of $program" test -s "$prefix/share/man/man1/$program.1"
done
check "man page names the version" grep -q "$version" "$prefix/share/man/man1/tarvo-tools.1"
check "icon" test -s "$prefix/share/icons/hicolor/scalable/apps/org.tarvo.TarvoTools.svg"
check "desktop entry" desktop-file-validate "$prefix/share/applications/org.tarvo.TarvoTools.desktop"
check "AppStream metadata" appstreamcli validate --no-net --pedantic \
  "$prefix/share/metainfo/org.tarvo.TarvoTools.metainfo.xml"
exit $failed
