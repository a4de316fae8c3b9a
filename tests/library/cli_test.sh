#!/bin/bash
# tarvo-library and tarvo-replay --edit on real directories: exact output,
# exit statuses and whole-file comparisons.
set -u
library=$1
replay=$2
files=$3  # usrprobe.dat files as the editor exports them
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# expect NAME STATUS EXPECTED-STDOUT COMMAND...
expect() {
  local name=$1 status=$2 expected=$3
  shift 3
  local out got
  out=$("$@" 2>"$work/stderr")
  got=$?
  if [ "$got" != "$status" ] || [ "$out" != "$expected" ]; then
    echo "FAIL $name: status $got (expected $status)"
    diff <(printf '%s\n' "$expected") <(printf '%s\n' "$out")
    cat "$work/stderr"
    failures=$((failures + 1))
  fi
}

same_file() {
  if ! cmp -s "$2" "$3"; then
    echo "FAIL $1: $2 differs from $3"
    failures=$((failures + 1))
  fi
}

d=$work/d
mkdir -p "$d"
printf '; by hand\r\n' >"$d/usrprobe.dat"
cat "$files/three_tools.dat" "$files/disk_tip.dat" >>"$d/usrprobe.dat"
cp "$d/usrprobe.dat" "$work/original.dat"

expect "list" 0 "$(printf '1\tA\tTARVO1\textension\t1\t1\t-\n2\tB\tTARVO1\ttip\t1\t0\tball 2\n3\tC\tTARVO1\textension\t1\t3\t-\n4\tD1\tTARVO1\ttip\t2\t11.1\tdisk 12')" \
  "$library" --dir "$d" list
expect "list of a missing file" 0 "" "$library" --dir "$work" list
expect "check without problems" 0 "" "$library" --dir "$d" check
expect "no such tool" 2 "" "$library" --dir "$d" show X
grep -q 'the tools are: A, B, C, D1' "$work/stderr" || { echo "FAIL no such tool: $(cat "$work/stderr")"; failures=$((failures + 1)); }
expect "index must agree" 2 "" "$library" --dir "$d" show A --index 2
expect "unknown command" 2 "" "$library" --dir "$d" frobnicate

"$library" --dir "$d" show D1 >"$work/shown"
cp "$files/disk_tip.dat" "$work/d1"
same_file "show is the block" "$work/shown" "$work/d1"

# script: the tool's bytes again in an empty directory.
"$library" --dir "$d" script D1 >"$work/d1.txt"
mkdir -p "$work/empty"
"$replay" --dir "$work/empty" --decimal-separator . "$work/d1.txt" >/dev/null
same_file "script rebuilds" "$work/empty/usrprobe.dat" "$work/d1"

# A hand-written block is not rebuildable: status 4.
printf 'ITEM:H TARVO1\r\ncylinder 0 0 0 0 0 -5 6\r\n\r\n' >"$work/empty/usrprobe.dat"
expect "not rebuildable" 4 "" "$library" --dir "$work/empty" script H
expect "edit not rebuildable" 4 "" "$replay" --dir "$work/empty" --edit H "$work/d1.txt"
same_file "nothing changed" "$work/empty/usrprobe.dat" <(printf 'ITEM:H TARVO1\r\ncylinder 0 0 0 0 0 -5 6\r\n\r\n')

# --edit: an unchanged export leaves the file as it was; a changed one replaces the block in place.
printf 'click Cmd_Export\n' >"$work/again.txt"
expect "edit unchanged" 0 "" "$replay" --dir "$d" --edit B "$work/again.txt"
same_file "edit unchanged" "$d/usrprobe.dat" "$work/original.dat"
printf 'click Cmd_DelLast\nclick Ob_Sphere\nset Tb_Diam 4\nclick Cmd_Confirm\nclick Cmd_Export\n' >"$work/edit.txt"
expect "edit" 0 "" "$replay" --dir "$d" --edit B "$work/edit.txt"
sed 's/ 2 2 ball/ 4 4 ball/; s/^sphere 0 0 0 2/sphere 0 0 0 4/' "$work/original.dat" >"$work/edited.dat"
same_file "edit in place" "$d/usrprobe.dat" "$work/edited.dat"
same_file "edit backup" "$d/usrprobe_old.dat" "$work/original.dat"

# remove: the backup first, then every other byte kept.
cp "$work/original.dat" "$d/usrprobe.dat"
expect "remove" 0 "" "$library" --dir "$d" remove C
same_file "remove backup" "$d/usrprobe_old.dat" "$work/original.dat"
expect "after remove" 0 "$(printf '1\tA\tTARVO1\textension\t1\t1\t-\n2\tB\tTARVO1\ttip\t1\t0\tball 2\n3\tD1\tTARVO1\ttip\t2\t11.1\tdisk 12')" \
  "$library" --dir "$d" list
python3 - "$work/original.dat" "$d/usrprobe.dat" <<'PY' || failures=$((failures + 1))
import sys
before, after = open(sys.argv[1], 'rb').read(), open(sys.argv[2], 'rb').read()
start = before.index(b'ITEM:C ')
end = before.index(b'ITEM:D1 ')
assert after == before[:start] + before[end:], "remove changed other bytes"
PY

# A directory in place of either file: status 3, both files as before.
for place in usrprobe_old.dat usrprobe.dat; do
  rm -rf "$d"/*
  cp "$work/original.dat" "$d/usrprobe.dat"
  [ $place = usrprobe.dat ] && { rm "$d/usrprobe.dat"; mkdir "$d/usrprobe.dat"; } || mkdir "$d/$place"
  expect "remove with a directory as $place" 3 "" "$library" --dir "$d" remove C
  message=""
  [ $place = usrprobe_old.dat ] && message="message: The tool was not exported: $d/usrprobe_old.dat: Is a directory"
  expect "edit with a directory as $place" 3 "$message" "$replay" --dir "$d" --edit C "$work/again.txt"
  [ -d "$d/$place" ] || { echo "FAIL $place is no longer a directory"; failures=$((failures + 1)); }
  [ $place = usrprobe_old.dat ] && same_file "untouched with $place" "$d/usrprobe.dat" "$work/original.dat"
done

[ $failures = 0 ] && echo "all cases passed"
exit $((failures > 0))
