#!/usr/bin/env bash
# Records what tarvo-replay now produces for a case as its expected output:
# standard output and every file it leaves. Review the result before committing.
set -uo pipefail
case_dir=$1
replay=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/run"
[[ -d "$case_dir/before" ]] && cp -a "$case_dir/before/." "$work/run/"
cp "$case_dir/script.txt" "$work/script.txt"
args=()
[[ -f "$case_dir/args" ]] && read -r -a args < "$case_dir/args"
(cd "$work" && "$replay" --dir run "${args[@]}" script.txt) >"$case_dir/stdout"
status=$?
if [[ $status != 0 ]]; then echo "$status" > "$case_dir/status"; else rm -f "$case_dir/status"; fi
rm -rf "$case_dir/expected"
mkdir "$case_dir/expected"
for name in usrprobe.dat usrprobe_old.dat Taster.wrl Taster_Old.wrl; do
  [[ -f "$work/run/$name" ]] && cp "$work/run/$name" "$case_dir/expected/"
done
[[ -s "$case_dir/stdout" ]] || rm -f "$case_dir/stdout"
echo "$case_dir: status $status, expected $(ls "$case_dir/expected" | tr '\n' ' ')"
