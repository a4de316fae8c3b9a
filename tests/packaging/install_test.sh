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
  local what=$1
  shift
  if ! "$@"; then
    echo "FAILED: $what"
    failed=1
  fi
}
for program in tarvo-tools tarvo-replay; do
  check "$program --version" test "$("$prefix/bin/$program" --version)" = "$program $version"
  check "man page of $program" test -s "$prefix/share/man/man1/$program.1"
done
if [[ -x "$prefix/bin/tarvo-library" ]]; then
  check "tarvo-library --version" test "$("$prefix/bin/tarvo-library" --version)" = "tarvo-library $version"
  check "man page of tarvo-library" test -s "$prefix/share/man/man1/tarvo-library.1"
fi
check "man page names the version" grep -q "$version" "$prefix/share/man/man1/tarvo-tools.1"
check "icon" test -s "$prefix/share/icons/hicolor/scalable/apps/org.tarvo.TarvoTools.svg"
check "desktop entry" desktop-file-validate "$prefix/share/applications/org.tarvo.TarvoTools.desktop"
check "AppStream metadata" appstreamcli validate --no-net --pedantic \
  "$prefix/share/metainfo/org.tarvo.TarvoTools.metainfo.xml"
exit $failed
