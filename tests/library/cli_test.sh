#!/bin/bash
# tarvo-library and tarvo-replay --edit on real directories: exact output, statuses, whole files;
# with a fourth argument, the library that kills them at a chosen system call.
set -u
library=$1 replay=$2 files=$3 killer=${4:-}
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
failures=0; fail() { echo "FAIL $*"; failures=$((failures + 1)); }

# expect NAME STATUS EXPECTED-STDOUT COMMAND...
expect() {
  local name=$1 status=$2 expected=$3 out got; shift 3
  out=$("$@" 2>"$work/stderr"); got=$?
  [ "$got" = "$status" ] && [ "$out" = "$expected" ] && return
  fail "$name: status $got (expected $status)"
  diff <(printf '%s\n' "$expected") <(printf '%s\n' "$out")
  cat "$work/stderr"
}
same_file() { cmp -s "$2" "$3" || fail "$1: $2 differs from $3"; }
# usage_error NAME LINE COMMAND...: a wrong command line is one line, then where the usage is.
usage_error() {
  local name=$1 line=$2 program; shift 2; program=$(basename "$1")
  expect "$name" 2 "" "$@"
  [ "$(cat "$work/stderr")" = "$program: $line"$'\n'"Try '$program --help'." ] || fail "$name: $(cat "$work/stderr")"
}

d=$work/d empty=$work/empty; mkdir -p "$d" "$empty"
printf '; by hand\r\n' | cat - "$files/three_tools.dat" "$files/disk_tip.dat" >"$work/original.dat"
cp "$work/original.dat" "$d/usrprobe.dat"

expect "list" 0 "$(printf '1\tA\tTARVO1\textension\t1\t1\t-\n2\tB\tTARVO1\ttip\t1\t0\tball 2\n3\tC\tTARVO1\textension\t1\t3\t-\n4\tD1\tTARVO1\ttip\t2\t11.1\tdisk 12')" \
  "$library" --dir "$d" list
expect "list of a missing file" 0 "" "$library" --dir "$work" list
expect "check without problems" 0 "" "$library" --dir "$d" check
expect "no such tool" 2 "" "$library" --dir "$d" show X
usage_error "unknown command" "unknown command frobnicate" "$library" --dir "$d" frobnicate
usage_error "unknown option" "unknown option --frob" "$library" --frob list
# file_error NAME LINE COMMAND...: a file or folder that cannot be read or written is one line, status 3.
file_error() {
  local name=$1 line=$2 program; shift 2; program=$(basename "$1")
  expect "$name" 3 "" "$@"
  [ "$(cat "$work/stderr")" = "$program: $line" ] || fail "$name: $(cat "$work/stderr")"
}
# One exit-status rule, stated in each --help (and so in each man page).
for program in "$library" "$replay"; do
  "$program" --help | tr '\n' ' ' | grep -qF "0 done, 2 a wrong command line, 3 a file or folder that cannot be read or written" ||
    fail "$(basename "$program") --help states no exit-status rule"
done
file_error "missing folder" "no directory $work/none" "$library" --dir "$work/none" list
usage_error "bad --index" "--index takes a position from 1" "$library" --dir "$d" show A --index x
usage_error "missing output path" "stl needs the OUT.stl file to write" "$library" --dir "$d" stl B
usage_error "replay: unknown option" "unknown option --frob" "$replay" --frob "$work/s.txt"
file_error "replay: missing script" "cannot read $work/none.txt: No such file or directory" "$replay" --dir "$d" "$work/none.txt"
file_error "replay: a folder as script" "cannot read $work: Is a directory" "$replay" --dir "$d" "$work"
file_error "replay: missing folder" "no directory $work/none" "$replay" --dir "$work/none" -
usage_error "replay: bad --index" "--index takes a position from 1" "$replay" --dir "$d" --edit B --index x -
same_file "show is the block" <("$library" --dir "$d" show D1) "$files/disk_tip.dat"

# remove: status 3 and nothing changed while another process holds the folder lock.
flock "$d/.tarvo-tools.lock" -c "'$library' --dir '$d' remove C 2>/dev/null; [ \$? = 3 ]" || fail "remove while locked"
same_file "untouched while locked" "$d/usrprobe.dat" "$work/original.dat"

"$library" --dir "$d" script D1 >"$work/d1.txt"
"$replay" --dir "$empty" --decimal-separator . "$work/d1.txt" >/dev/null
same_file "script rebuilds" "$empty/usrprobe.dat" "$files/disk_tip.dat"

# stl: 84 bytes and 50 per triangle of B's ball; an unwritable path is a file failure.
expect "stl" 0 "" "$library" --dir "$d" stl B "$work/b.stl"
[ "$(stat -c %s "$work/b.stl")" = $((84 + 50 * 3968)) ] || fail "stl of $(stat -c %s "$work/b.stl") bytes"
expect "stl unwritable" 3 "" "$library" --dir "$d" stl B "$work/none/b.stl"
printf 'export-stl %s\nexport-stl %s\n' "$work/r.stl" "$work" >"$work/stl.txt"  # the second is a directory
expect "replay export-stl" 3 "" "$replay" --dir "$d" --edit B "$work/stl.txt"
same_file "replay export-stl" "$work/r.stl" "$work/b.stl"

# figures: the disk tip D1 (no element as wide as its 12: EWL is L), materials chosen;
# sheet: a PDF whose texts pdftotext reads (only where the build has the window).
expect "figures" 0 "$(printf 'L\t11.1\nEWL\t11.1\nD\t12\nds\t6\nlargest\t12\nelements\t2\nmass\t4.04\nbending\t0.00\nheat\t0.18')" \
  "$library" --dir "$d" figures D1
expect "figures of materials" 0 "$(printf 'L\t11.1\nEWL\t11.1\nD\t12\nds\t6\nlargest\t12\nelements\t2\nmass\t4.68\nbending\t0.01\nheat\t0.09')" \
  "$library" --dir "$d" figures D1 --stem titanium --tip carbide
expect "figures without a tip" 0 "$(printf 'L\t3\nEWL\t-\nD\t-\nds\t-\nlargest\t3\nelements\t1\nmass\t0.17\nbending\t0.00\nheat\t0.05')" \
  "$library" --dir "$d" figures C

# probes.txt: a line that cannot be read is reported (status 1) and the
# others still work; --probe adds the limits, --force only the bending.
printf '# shop probes\r\nlight\t0.07\t11\t4\r\nodd\t0.1\r\nheavy\t0.5\t-\t-\r\n' >"$d/probes.txt"
expect "probes" 1 "$(printf 'light\t0.07\t11\t4\nheavy\t0.5\t-\t-')" "$library" --dir "$d" probes
[ "$(cat "$work/stderr")" = "probes.txt: line 3: NAME<TAB>force<TAB>max length or -<TAB>max mass or - expected" ] ||
  fail "probes: $(cat "$work/stderr")"
expect "figures over the probe's limits" 0 \
  "$(printf 'bending\t0.00\nheat\t0.18\nlimits\tover the probe\x27s length limit of 11 mm by 0.1 mm; over the probe\x27s mass limit of 4 g by 0.04 g')" \
  sh -c '"$@" | tail -n 3' - "$library" --dir "$d" figures D1 --probe light
expect "figures within the probe's limits" 0 "$(printf 'limits\tok')" \
  sh -c '"$@" | tail -n 1' - "$library" --dir "$d" figures D1 --probe heavy
# D1 at 2.5 N: 2.5 (11.1³ - 1) / 3 / (200 π 6⁴ / 64) = 0.0895 µm.
expect "figures at a force" 0 "$(printf 'bending\t0.09')" \
  sh -c '"$@" | grep bending' - "$library" --dir "$d" figures D1 --force 2.5
expect "no such probe" 2 "" "$library" --dir "$d" figures D1 --probe none
usage_error "force and probe" "--force and --probe exclude each other" "$library" --dir "$d" figures D1 --force 1 --probe light
usage_error "force of no number" "--force takes newtons above 0" "$library" --dir "$d" figures D1 --force 0
usage_error "unknown material" "unknown material gold" "$library" --dir "$d" figures D1 --tip gold
usage_error "material of another command" "show takes no material" "$library" --dir "$d" show D1 --stem steel
usage_error "sheet of another type" "sheet writes a .pdf or an .svg file, not d1.png" "$library" --dir "$d" sheet D1 "$work/d1.png"
# Quiet without XDG_RUNTIME_DIR (as root), as the window is.
if env -u XDG_RUNTIME_DIR "$library" --dir "$d" sheet D1 "$work/d1.pdf" 2>"$work/sheet.err"; then
  [ -s "$work/sheet.err" ] && fail "sheet: $(cat "$work/sheet.err")"
  text=$(pdftotext "$work/d1.pdf" -)
  for word in D1 "L = 11.1" "EWL = 11.1" "Ø12" "tool 4 of 4 in usrprobe.dat" "4.04 g"; do
    grep -qF "$word" <<<"$text" || fail "sheet: no $word in the PDF"
  done
  expect "sheet unwritable" 3 "" "$library" --dir "$d" sheet D1 "$work/none/d1.svg"
fi
same_file "the sheet changes nothing" "$d/usrprobe.dat" "$work/original.dat"

printf 'ITEM:H TARVO1\r\ncylinder 0 0 0 0 0 -5 6\r\n\r\n' | tee "$work/h.dat" >"$empty/usrprobe.dat"
expect "not rebuildable" 4 "" "$library" --dir "$empty" script H
expect "edit not rebuildable" 4 "" "$replay" --dir "$empty" --edit H "$work/d1.txt"
same_file "nothing changed" "$empty/usrprobe.dat" "$work/h.dat"

# From here usrprobe.dat is a symbolic link to a group's 0664 file in another
# folder: edits and removes change that file and keep the link and the mode.
mkdir "$work/app" && cp "$work/original.dat" "$work/app/usrprobe.dat" && chmod 0664 "$work/app/usrprobe.dat"
ln -sf ../app/usrprobe.dat "$d/usrprobe.dat"
printf 'click Cmd_Export\n' >"$work/again.txt"
# B, loaded for export-stl above, is the unfinished tool now: the edit asks first.
asked='message: The unfinished tool "B" (1 element) will be discarded. [Reopen] [Discard] [Cancel]'
expect "edit asks" 2 "$asked" "$replay" --dir "$d" --edit B "$work/again.txt"
printf '# answered\n\nclick Cancel\nexpect Cmd_NewTool visible\n' >"$work/cancel.txt"
expect "edit cancelled" 0 "$asked" "$replay" --dir "$d" --edit B "$work/cancel.txt"
printf 'click Discard\nclick Cmd_Export\n' >"$work/discard.txt"
expect "edit unchanged" 0 "$asked" "$replay" --dir "$d" --edit B "$work/discard.txt"
same_file "edit unchanged" "$d/usrprobe.dat" "$work/original.dat"
printf 'click Cmd_DelLast\nclick Ob_Sphere\nset Tb_Diam 4\nclick Cmd_Confirm\nclick Cmd_Export\n' >"$work/edit.txt"
expect "edit" 0 "" "$replay" --dir "$d" --edit B "$work/edit.txt"
sed 's/ 2 2 ball/ 4 4 ball/; s/^sphere 0 0 0 2/sphere 0 0 0 4/' "$work/original.dat" >"$work/edited.dat"
same_file "edit in place" "$d/usrprobe.dat" "$work/edited.dat"
same_file "edit backup" "$d/usrprobe_old.dat" "$work/original.dat"

cp "$work/original.dat" "$d/usrprobe.dat"
expect "remove" 0 "" "$library" --dir "$d" remove C
same_file "remove backup" "$d/usrprobe_old.dat" "$work/original.dat"
same_file "remove" "$d/usrprobe.dat" <(sed '/^ITEM:C /,/^\r$/d' "$work/original.dat")
[ -L "$d/usrprobe.dat" ] && [ "$(stat -c %a "$work/app/usrprobe.dat")" = 664 ] || fail "link or mode lost"
[ "$(ls -A "$work/app")" = usrprobe.dat ] || fail "left in the link's folder: $(ls -A "$work/app")"

# A directory in place of either file: status 3, both files as before.
for place in usrprobe_old.dat usrprobe.dat; do
  rm -rf "${d:?}"/*
  [ $place = usrprobe.dat ] || cp "$work/original.dat" "$d/usrprobe.dat"
  mkdir "$d/$place"
  expect "remove with a directory as $place" 3 "" "$library" --dir "$d" remove C
  message=$([ $place = usrprobe.dat ] || echo "message: The tool was not exported: $d/usrprobe_old.dat: Is a directory")
  expect "edit with a directory as $place" 3 "$message" "$replay" --dir "$d" --edit C "$work/again.txt"
  [ -d "$d/$place" ] || fail "$place is no longer a directory"
  [ $place = usrprobe.dat ] || same_file "untouched with $place" "$d/usrprobe.dat" "$work/original.dat"
done

# assembly: an M3 extension and an M2 tip, stacked; the saved assemblies; the stack written as one tool.
a=$work/a; mkdir "$a"
printf '%s\n' "set Tb_ToolName EX30" "set Cb_Extension M3" "click Cmd_NewTool" "click Ob_Extend" "click Cmd_Add" \
  "set Tb_Height 30" "set Tb_Diam 4" "click Cmd_Confirm" "click Cmd_Export" "set Tb_ToolName ST1" "set Cb_Extension M2" \
  "click Cmd_NewTool" "click Ob_Tip" "click Cmd_Add" "set Tb_Height 20" "set Tb_Diam 2" "click Cmd_Confirm" \
  "click Ob_Sphere" "set Tb_Diam 3" "click Cmd_Confirm" "click Cmd_Export" >"$work/parts.txt"
"$replay" --dir "$a" --decimal-separator . "$work/parts.txt" >/dev/null
cp "$a/usrprobe.dat" "$work/parts.dat"
figures=$(printf 'L\t50\nEWL\t20\nD\t3\nds\t2\nlargest\t4\nelements\t3\nmass\t3.98\nbending\t4.20\nheat\t0.59')
adapter=$(printf 'parts\t2\nconnection\tEX30 ends in M3; ST1 needs M2: an adapter is needed')
expect "assembly" 0 "$figures"$'\n'"$adapter" "$library" --dir "$a" assembly EX30 ST1:carbide --force 0.2
expect "assembly kept" 0 "$figures"$'\n'"$adapter" "$library" --dir "$a" assembly EX30 ST1:carbide --force 0.2 --keep S
printf 'broken\n' >>"$a/assemblies.txt"
expect "assemblies" 1 "$(printf 'S\tEX30 ST1:carbide')" "$library" --dir "$a" assemblies
[ "$(cat "$work/stderr")" = "tarvo-library: assemblies.txt line 2: no tab between the name and the parts" ] || fail "damaged line: $(cat "$work/stderr")"
expect "assembly by name" 0 "$figures"$'\n'"$adapter" "$library" --dir "$a" assembly --name S --force 0.2 \
  --stl "$work/s.stl" --save-as ONE
[ "$(printf 'S\tEX30\tST1:carbide\nbroken\n')" = "$(cat "$a/assemblies.txt")" ] || fail "assemblies.txt: $(cat "$a/assemblies.txt")"
[ "$(stat -c %s "$work/s.stl")" = $((84 + 50 * (256 + 256 + 3968))) ] || fail "stack stl of $(stat -c %s "$work/s.stl") bytes"
same_file "one tool's backup" "$a/usrprobe_old.dat" "$work/parts.dat"
# The stack in steel is the one tool it wrote.
"$library" --dir "$a" assembly EX30 ST1 | head -n -2 >"$work/stack.txt"
same_file "the one tool's figures" <("$library" --dir "$a" figures ONE) "$work/stack.txt"
expect "a second one tool" 0 "$figures"$'\n'"$adapter" "$library" --dir "$a" assembly --name S --force 0.2 --save-as ONE
[ "$(tail -n 1 "$work/stderr")" = "tarvo-library: A tool named ONE is already in usrprobe.dat." ] || fail "notice: $(cat "$work/stderr")"
expect "a missing part" 2 "" "$library" --dir "$a" assembly EX30 ST9
[ "$(cat "$work/stderr")" = "tarvo-library: ST9 is not in usrprobe.dat any more" ] || fail "missing: $(cat "$work/stderr")"
expect "a tip above a part" 2 "" "$library" --dir "$a" assembly ST1 EX30
usage_error "assembly without parts" "assembly needs its parts or --name" "$library" --dir "$a" assembly
usage_error "assembly with a bad force" "--force takes newtons above 0" "$library" --dir "$a" assembly EX30 --force 0
usage_error "assembly after its options" "assembly takes its options after it" "$library" --dir "$a" --tip ruby assembly EX30
printf 'P1\t0.2\t45\t3\n' >"$a/probes.txt"
expect "assembly on a probe" 0 "$figures"$'\n'"$adapter"$'\n'"limits"$'\t'"over the probe's length limit of 45 mm by 5 mm; over the probe's mass limit of 3 g by 0.98 g" \
  "$library" --dir "$a" assembly EX30 ST1:carbide --probe P1
usage_error "assembly with a material unknown" "ST1:brass: unknown material brass" "$library" --dir "$a" assembly ST1:brass

# EXPORT into a read-only usrprobe.dat (as a user whom the mode binds): refused,
# usrprobe.dat and the older backup usrprobe_old.dat as they were.
ro=$work/ro; mkdir "$ro" && chmod 755 "$work"
cp "$work/original.dat" "$ro/usrprobe.dat" && printf '; the backup before\r\n' | tee "$work/older.dat" >"$ro/usrprobe_old.dat"
chmod 444 "$ro/usrprobe.dat"
user=(); [ "$(id -u)" = 0 ] && chown -R nobody "$ro" && user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
expect "export into a read-only file" 3 "message: The tool was not exported: $ro/usrprobe.dat: Permission denied" \
  "${user[@]}" "$replay" --dir "$ro" --decimal-separator . "$work/d1.txt"
same_file "read-only file" "$ro/usrprobe.dat" "$work/original.dat"
same_file "read-only file, older backup" "$ro/usrprobe_old.dat" "$work/older.dat"

# An edited EXPORT and remove, killed (SIGKILL) before each write-related system call in turn:
# usrprobe.dat old or new, usrprobe_old.dat the older backup or the new one, `check` content,
# the next run works and leaves only what it should.
edit() { "$replay" --dir "$d" --edit B "$work/edit.txt"; }
remove() { "$library" --dir "$d" remove C; }
sed '/^ITEM:C /,/^\r$/d' "$work/original.dat" >"$work/removed.dat"
for command in ${killer:+edit remove}; do
  new=$work/${command%e}ed.dat  # edited.dat, removed.dat
  for ((call = 1; ; call++)); do
    rm -rf "$d" && mkdir "$d" && cp "$work/original.dat" "$d/usrprobe.dat" && cp "$work/older.dat" "$d/usrprobe_old.dat"
    TARVO_KILL_AT=$call LD_PRELOAD=$killer $command >/dev/null 2>&1
    status=$? at="$command killed at call $call"
    [ $status = 0 ] && break  # ran to the end: no call left to kill at
    [ $status = 137 ] || { fail "$at: status $status"; break; }  # it fails on its own: no end to find
    cmp -s "$d/usrprobe.dat" "$work/original.dat" || cmp -s "$d/usrprobe.dat" "$new" || fail "$at: usrprobe.dat"
    cmp -s "$d/usrprobe_old.dat" "$work/older.dat" || cmp -s "$d/usrprobe_old.dat" "$work/original.dat" || fail "$at: usrprobe_old.dat"
    "$library" --dir "$d" check && "$library" --dir "$d" remove A || fail "$at: check or the next run"
    left=$(ls -A "$d" | grep -v -x -e usrprobe.dat -e usrprobe_old.dat -e Taster.wrl -e Taster_Old.wrl -e .tarvo-tools.history)
    [ -z "$left" ] || fail "$at: left $left"
  done
  [ $call -gt 5 ] && cmp -s "$d/usrprobe.dat" "$new" && cmp -s "$d/usrprobe_old.dat" "$work/original.dat" ||
    fail "$command: $call calls, result"
done

[ $failures = 0 ] && echo "all cases passed"
exit $((failures > 0))
