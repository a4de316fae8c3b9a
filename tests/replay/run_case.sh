#!/usr/bin/env bash
# Runs one replay case: CASE/script.txt through tarvo-replay in a fresh directory
# "run" (seeded from CASE/before/, with CASE/args as extra arguments), or
# CASE/test.sh, which may run tarvo-replay and tarvo-library (its arguments)
# on "run" with the case's other .txt files beside it, then
# compares the exit status (CASE/status, default 0), standard output
# (CASE/stdout) and every file in CASE/expected/ byte for byte; a mismatch
# leaves NAME.actual beside the expected file. With BLESS=1 it records what
# tarvo-replay now produces as the expected output instead: review it before committing.
# RUNNER, when set, runs the program (Wine for a Windows build).
set -uo pipefail
case_dir=$1
replay=$2
library=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
args=()
[[ -f "$case_dir/args" ]] && read -r -a args < "$case_dir/args"
mkdir "$work/run"
[[ -d "$case_dir/before" ]] && cp -a "$case_dir/before/." "$work/run/"
cp "$case_dir"/*.txt "$work/"
if [[ -n ${RUNNER:-} ]]; then  # the programs, under their own names, as the case's commands call them
  mkdir "$work/.bin"
  for name in replay library; do
    program=$work/.bin/$(basename "${!name}" .exe)
    printf '#!/bin/bash\nexec %q %q "$@"\n' "$RUNNER" "${!name}" >"$program" && chmod +x "$program"
    printf -v "$name" '%s' "$program"
  done
fi
if [[ -f "$case_dir/test.sh" ]]; then
  (cd "$work" && bash "$case_dir/test.sh" "$replay" "$library") >"$work/.stdout" 2>"$work/.stderr"
else
  (cd "$work" && "$replay" --dir run "${args[@]}" script.txt) >"$work/.stdout" 2>"$work/.stderr"
fi
status=$?

if [[ ${BLESS:-} == 1 ]]; then
  if [[ $status != 0 ]]; then echo "$status" >"$case_dir/status"; else rm -f "$case_dir/status"; fi
  if [[ -s $work/.stdout ]]; then cp "$work/.stdout" "$case_dir/stdout"; else rm -f "$case_dir/stdout"; fi
  rm -rf "$case_dir/expected" && mkdir "$case_dir/expected"
  for name in usrprobe.dat usrprobe_old.dat Taster.wrl Taster_Old.wrl .tarvo-tools.history; do
    [[ -f "$work/run/$name" ]] && cp "$work/run/$name" "$case_dir/expected/"
  done
  exit 0
fi

failed=0
mismatch() {  # expected-file actual-file
  if cmp -s "$1" "$2"; then
    rm -f "$1.actual"
  else
    cp "$2" "$1.actual"
    echo "MISMATCH: $1 (see $1.actual)"
    diff <(cat -A "$1") <(cat -A "$2") | head -20
    failed=1
  fi
}
expected_status=0
[[ -f "$case_dir/status" ]] && expected_status=$(<"$case_dir/status")
if [[ "$status" != "$expected_status" ]]; then
  echo "exit status $status, expected $expected_status"
  cat "$work/.stderr"
  failed=1
fi
[[ -f "$case_dir/stdout" ]] && mismatch "$case_dir/stdout" "$work/.stdout"
shopt -s nullglob
for file in "$case_dir/expected"/* "$case_dir/expected"/.tarvo-tools.history; do
  [[ -e "$file" ]] || continue
  name=$(basename "$file")
  [[ "$name" == *.actual ]] && continue
  if [[ -f "$work/run/$name" ]]; then mismatch "$file" "$work/run/$name"; else echo "MISSING: $name"; failed=1; fi
done
exit $failed
