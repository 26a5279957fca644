#!/usr/bin/env bash
# zelmar-tool against Open Babel on the same jobs, in one run: sorting by molecular weight and a
# first substructure search (a benzene ring), on big files made by repeating real SD files.
# Wall time and peak memory come from /usr/bin/time -v for every command alike.
# Usage: bench/tool_vs_obabel.sh [ZELMAR_TOOL] [RECORDS ...]   (default: build/bin/zelmar-tool
#        on 100000 and 1000000 records). The files go to $BENCH_DIR (default /tmp/zelmar-tool-bench).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tool=${1:-$here/../build/bin/zelmar-tool}
shift || true
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(100000 1000000)
data=${ZELMAR_SDF_DATA:-$here/../../shared/data/sdf}
work=${BENCH_DIR:-/tmp/zelmar-tool-bench}
command -v obabel >/dev/null || { echo "obabel is missing: run scripts/install-deps.sh" >&2; exit 2; }
[ -x "$tool" ] || { echo "no zelmar-tool at $tool" >&2; exit 2; }
mkdir -p "$work"

# Real records of several sources (PubChem, NCI, ZINC), all with LF line ends.
base=$work/base.sdf
cat "$data/pubchem_sample.sdf" "$data/nci_aids_props.sdf" "$data/no_data_items.sdf" >"$base"
cat >"$work/benzene.mol" <<'MOL'

  ring

  6  6  0  0  0  0  0  0  0  0999 V2000
    0.0000    1.4000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0
    1.2124    0.7000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0
    1.2124   -0.7000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0
    0.0000   -1.4000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0
   -1.2124   -0.7000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0
   -1.2124    0.7000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0
  1  2  2  0
  2  3  1  0
  3  4  2  0
  4  5  1  0
  5  6  2  0
  6  1  1  0
M  END
MOL

# Runs the command under /usr/bin/time -v; prints seconds and peak memory in MB.
measure() {
  local log=$work/time.log
  /usr/bin/time -v "$@" >/dev/null 2>"$log" || true
  local wall rss
  wall=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$log" |
    awk -F: '{ s = 0; for (i = 1; i <= NF; i++) s = s * 60 + $i; printf "%.2f", s }')
  rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$log" | awk '{ printf "%.0f", $1 / 1024 }')
  echo "$wall $rss"
}

records() { grep -c '^\$\$\$\$' "$1" || true; }

printf '%-9s %-7s %-12s %9s %9s %9s\n' records job program seconds peak_mb hits
for size in "${sizes[@]}"; do
  big=$work/records_$size.sdf
  if [ "$(records "$big" 2>/dev/null)" != "$size" ]; then
    # Whole copies of the base, cut after the wanted number of records.
    per=$(records "$base")
    copies=$(( (size + per - 1) / per ))
    for _ in $(seq "$copies"); do cat "$base"; done |
      awk -v n="$size" '{ print } /^\$\$\$\$/ { if (++k == n) exit }' >"$big" || true
    [ "$(records "$big")" = "$size" ] || { echo "could not make $big" >&2; exit 1; }
  fi
  for job in sort search; do
    if [ "$job" = sort ]; then
      z=(sort "$big" --by weight -o "$work/z_out.sdf")
      o=("$big" -O "$work/o_out.sdf" --sort MW)
    else
      z=(search "$big" --substructure "$work/benzene.mol" -o "$work/z_out.sdf")
      o=("$big" -O "$work/o_out.sdf" -s "$work/benzene.mol")
    fi
    read -r zs zm < <(measure "$tool" "${z[@]}")
    zh=$(records "$work/z_out.sdf")
    read -r os om < <(measure obabel "${o[@]}")
    oh=$(records "$work/o_out.sdf")
    printf '%-9s %-7s %-12s %9s %9s %9s\n' "$size" "$job" zelmar-tool "$zs" "$zm" "$zh"
    printf '%-9s %-7s %-12s %9s %9s %9s\n' "$size" "$job" obabel "$os" "$om" "$oh"
    awk -v z="$zs" -v o="$os" -v job="$job" -v n="$size" \
      'BEGIN { if (z > 0) printf "%-9s %-7s speed-up %.1fx\n", n, job, o / z }'
    rm -f "$work/z_out.sdf" "$work/o_out.sdf"
  done
done
