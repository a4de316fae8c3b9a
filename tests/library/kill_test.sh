#!/bin/bash
# An edited EXPORT (tarvo-replay --edit) and tarvo-library remove, killed with
# SIGKILL just before each of their write-related system calls in turn: every
# time usrprobe.dat holds the old or the new bytes and `check` finds no
# problem; the next run works and leaves only the files it should.
set -u
library=$1 replay=$2 killer=$3 files=$4
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
failures=0; fail() { echo "FAIL $*"; failures=$((failures + 1)); }
d=$work/d
cp "$files/three_tools.dat" "$work/old.dat"
printf 'click Cmd_DelLast\nclick Ob_Sphere\nset Tb_Diam 4\nclick Cmd_Confirm\nclick Cmd_Export\n' >"$work/edit.txt"
sed 's/ 2 2 ball/ 4 4 ball/; s/^sphere 0 0 0 2/sphere 0 0 0 4/' "$work/old.dat" >"$work/new-edit.dat"
sed '/^ITEM:C /,/^\r$/d' "$work/old.dat" >"$work/new-remove.dat"
edit() { "$replay" --dir "$d" --edit B "$work/edit.txt"; }
remove() { "$library" --dir "$d" remove C; }

for command in edit remove; do
  for ((call = 1; ; call++)); do
    rm -rf "$d" && mkdir "$d" && cp "$work/old.dat" "$d/usrprobe.dat"
    TARVO_KILL_AT=$call LD_PRELOAD=$killer $command >/dev/null 2>&1
    status=$?
    [ $status = 0 ] && break  # ran to the end: no call left to kill at
    [ $status = 137 ] || fail "$command at call $call: status $status"
    cmp -s "$d/usrprobe.dat" "$work/old.dat" || cmp -s "$d/usrprobe.dat" "$work/new-$command.dat" ||
      fail "$command killed at call $call: usrprobe.dat is neither old nor new"
    "$library" --dir "$d" check || fail "$command killed at call $call: check"
    "$library" --dir "$d" remove A || fail "$command killed at call $call: the next run"
    left=$(ls -A "$d" | grep -v -x -e usrprobe.dat -e usrprobe_old.dat -e Taster.wrl -e Taster_Old.wrl)
    [ -z "$left" ] || fail "$command killed at call $call: left $left"
  done
  [ $call -gt 5 ] || fail "$command: only $call calls counted"
  cmp -s "$d/usrprobe.dat" "$work/new-$command.dat" || fail "$command: wrong result"
done
[ $failures = 0 ] && echo "all cases passed"
exit $((failures > 0))
