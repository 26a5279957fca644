#!/bin/sh
# Our substructure search and RDKit's in Python on the same file and queries, as one table:
# query, hits, our first and second search, RDKit's first and second (plain HasSubstructMatch
# and behind a pattern-fingerprint screen), all in records per second.
# usage: bench/search_vs_rdkit.sh FILE [QUERY.mol ...]
#   (default queries: bench/queries/benzene.mol indole.mol amide.mol)
# ZELMAR_BENCH names the benchmark tool (default: build/bin/zelmar_bench).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
bench=${ZELMAR_BENCH:-$here/../build/bin/zelmar_bench}
file=$1
shift
if [ $# -eq 0 ]; then
  set -- "$here/queries/benzene.mol" "$here/queries/indole.mol" "$here/queries/amide.mol"
fi
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

for q in "$@"; do
  name=$(basename "$q" .mol)
  "$bench" search "$file" --query "$q" --twice > "$out/ours.$name.json"
done
/usr/bin/python3 "$here/search_vs_rdkit.py" "$file" "$@" > "$out/rdkit.json"

/usr/bin/python3 - "$out" "$@" <<'EOF'
import json, os, sys
out, queries = sys.argv[1], sys.argv[2:]
rdkit = {}
for line in open(os.path.join(out, "rdkit.json")):
    r = json.loads(line)
    rdkit[(r["query"], r["way"])] = r
head = ("query", "hits", "ours 1st", "ours 2nd", "rdkit 1st", "rdkit 2nd", "rdkit+fp 1st",
        "rdkit+fp 2nd", "rdkit hits")
print("%-10s %7s %9s %9s %9s %9s %12s %12s %10s" % head)
for q in queries:
    name = os.path.splitext(os.path.basename(q))[0]
    ours = json.loads(open(os.path.join(out, "ours.%s.json" % name)).read())
    p, s = rdkit[(name, "plain")], rdkit[(name, "screened")]
    print("%-10s %7d %9d %9d %9d %9d %12d %12d %10d" % (
        name, ours["hits"], ours["records_per_s"], ours["second_records_per_s"],
        p["first_records_per_s"], p["second_records_per_s"], s["first_records_per_s"],
        s["second_records_per_s"], p["hits"]))
print("records per second; ours on %d threads, RDKit on one; records: %d" % (
    os.cpu_count() or 1, ours["records"]))
EOF
