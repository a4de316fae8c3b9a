#!/usr/bin/env bash
# The data sheet's budgets: the figures of a 50-element tool under 1 ms, the
# sheet on screen under 300 ms (on its own Xvfb), `tarvo-library sheet`
# writing a PDF under 0.5 s. Prints each measurement's runs, then the median.
# Usage: bench/sheet/sheet_bench.sh BUILD_DIR [RUNS]
set -euo pipefail
build=${1:?build folder}
runs=${2:-5}
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
awk 'BEGIN {
  printf "ITEM:THIN50 TARVO1\r\nbegintip\r\ncolor 142 142 142\r\nribcount 20\r\n"
  for (i = 0; i < 49; i++) printf "cylinder 0 0 %g 0 0 %g %s\r\n", -0.5 * i, -0.5 * (i + 1), i % 2 ? "2.5" : "3"
  printf "color 255 0 0\r\nsphere 0 0 -24.5 2\r\nhotspot 0 0 -24.5 0 0 1 2 2 ball\r\nendtip\r\n\r\n"
}' >"$folder/usrprobe.dat"
for _ in $(seq "$runs"); do
  xvfb-run -a -s "-screen 0 1366x900x24" "$build/bench/sheet_timings" 2>/dev/null
  start=$(date +%s%N)
  "$build/src/app/tarvo-library" --dir "$folder" sheet THIN50 "$folder/thin50.pdf" 2>/dev/null
  echo "library-sheet-pdf-ms $(( ($(date +%s%N) - start) / 1000000 ))"
done | sort -k1,1 -k2,2n | awk '
  { runs[$1] = runs[$1] " " $2; values[$1, ++count[$1]] = $2 }
  END { for (k in count) print k ":" runs[k] "  median " values[k, int((count[k] + 1) / 2)] }'
