#!/usr/bin/env bash
# EXPORT while another program holds usrprobe.dat open, reading it and sharing
# only reading: refused with its message and nothing changed; once the other
# program lets go, the next EXPORT appends the tool. The older backup
# usrprobe_old.dat stays until an EXPORT is done.
set -uo pipefail
replay=$1 hold=$2 runner=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/run"
printf 'ITEM:OLD  TARVO1\r\n' >"$work/run/usrprobe.dat"
printf '; older\r\n' >"$work/run/usrprobe_old.dat"
cat >"$work/export.txt" <<'SCRIPT'
set Tb_ToolName E1
click Cmd_NewTool
click Ob_Extend
click Cmd_Add
set Tb_Height 3
set Tb_Diam 3
click Cmd_Confirm
click Cmd_Export
SCRIPT
failed=0
cd "$work"
cp "$replay" .
# The holder runs the export while it holds the file, then lets go.
out=$($runner "$hold" run/usrprobe.dat "$(basename "$replay")" --dir run --decimal-separator . export.txt 2>&1)
expected='message: The tool was not exported: run/usrprobe.dat: the file is in use by another program'
[[ "$out" == "$expected" ]] || { echo "while held: $out"; failed=1; }
[[ $(cat run/usrprobe.dat) == $'ITEM:OLD  TARVO1\r' ]] || { echo "usrprobe.dat changed while held"; failed=1; }
[[ $(cat run/usrprobe_old.dat) == $'; older\r' ]] || { echo "usrprobe_old.dat changed while held"; failed=1; }
[[ -z $(ls -A run | grep '\.tmp$') ]] || { echo "left while held: $(ls -A run)"; failed=1; }
rm -f run/.tarvo-tools.history  # a fresh start, without the refused tool to reopen
out=$($runner "$replay" --dir run --decimal-separator . export.txt 2>&1)
[[ -z "$out" ]] || { echo "once let go: $out"; failed=1; }
grep -q '^ITEM:E1 ' run/usrprobe.dat || { echo "the tool was not appended once let go"; failed=1; }
[[ $(cat run/usrprobe_old.dat) == $'ITEM:OLD  TARVO1\r' ]] || { echo "no backup once let go"; failed=1; }
exit $failed
