#!/usr/bin/env bash
# Runs one replay case: CASE/script.txt through tarvo-replay with a fresh
# directory "run" (seeded from CASE/before/ when present, with CASE/args as extra
# arguments), then compares the exit status (CASE/status, default 0), standard
# output (CASE/stdout), standard error (CASE/stderr) and every file in
# CASE/expected/ byte for byte. A mismatch leaves NAME.actual beside the
# expected file; a file listed in CASE/absent must not exist afterwards.
set -uo pipefail
case_dir=$1
replay=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
args=()
[[ -f "$case_dir/args" ]] && read -r -a args < "$case_dir/args"

mkdir "$work/run"
[[ -d "$case_dir/before" ]] && cp -a "$case_dir/before/." "$work/run/"
cp "$case_dir/script.txt" "$work/script.txt"
(cd "$work" && "$replay" --dir run "${args[@]}" script.txt) >"$work/.stdout" 2>"$work/.stderr"
status=$?

failed=0
mismatch() {  # expected-file actual-file
  if ! cmp -s "$1" "$2"; then
    cp "$2" "$1.actual"
    echo "MISMATCH: $1 (see $1.actual)"
    diff <(cat -A "$1") <(cat -A "$2") | head -20
    failed=1
  else
    rm -f "$1.actual"
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
[[ -f "$case_dir/stderr" ]] && mismatch "$case_dir/stderr" "$work/.stderr"
if [[ -d "$case_dir/expected" ]]; then
  for file in "$case_dir/expected"/*; do
    name=$(basename "$file")
    [[ "$name" == *.actual ]] && continue
    if [[ ! -f "$work/run/$name" ]]; then
      echo "MISSING: $name"
      failed=1
    else
      mismatch "$file" "$work/run/$name"
    fi
  done
fi
if [[ -f "$case_dir/absent" ]]; then
  while read -r name; do
    [[ -e "$work/run/$name" ]] && { echo "UNEXPECTED: $name exists"; failed=1; }
  done < "$case_dir/absent"
fi
exit $failed
