#!/usr/bin/python3
"""Substructure searches as an RDKit user writes them in Python, for comparison with ours.

Reads FILE once with ForwardSDMolSupplier (molecules kept), then runs every query twice over
the kept molecules, once with HasSubstructMatch alone and once behind a pattern-fingerprint
screen (fingerprints of the molecules made once, with the reading). One thread, as Python
code of this kind runs. Prints one JSON line per query and way:
  {"query":..., "way":"plain"|"screened", "records":..., "hits":...,
   "read_s":..., "first_s":..., "second_s":..., "first_records_per_s":...,
   "second_records_per_s":...}
"first" is the reading (and for "screened" the fingerprints) plus the first search, so that it
compares with our first search, which reads every molecule it looks at; "second" is the search
alone over what is kept.

usage: search_vs_rdkit.py FILE QUERY.mol [QUERY.mol ...]
"""
import json
import os
import sys
import time

from rdkit import Chem, DataStructs, RDLogger


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    RDLogger.DisableLog("rdApp.*")
    path = sys.argv[1]
    start = time.perf_counter()
    mols = []
    with open(path, "rb") as f:
        for mol in Chem.ForwardSDMolSupplier(f):
            mols.append(mol)  # None for records RDKit cannot read: never a hit
    read_s = time.perf_counter() - start
    records = len(mols)

    start = time.perf_counter()
    fps = [Chem.PatternFingerprint(m) if m is not None else None for m in mols]
    fp_s = time.perf_counter() - start

    for qpath in sys.argv[2:]:
        query = Chem.MolFromMolFile(qpath)
        name = os.path.splitext(os.path.basename(qpath))[0]
        qfp = Chem.PatternFingerprint(query)

        def plain():
            return sum(1 for m in mols if m is not None and m.HasSubstructMatch(query))

        def screened():
            hits = 0
            for m, fp in zip(mols, fps):
                if fp is not None and DataStructs.AllProbeBitsMatch(qfp, fp) and \
                        m.HasSubstructMatch(query):
                    hits += 1
            return hits

        for way, run, setup in (("plain", plain, read_s), ("screened", screened, read_s + fp_s)):
            times = []
            for _ in range(2):
                t = time.perf_counter()
                hits = run()
                times.append(time.perf_counter() - t)
            first = setup + times[0]
            print(json.dumps({
                "query": name, "way": way, "records": records, "hits": hits,
                "read_s": round(setup, 3), "first_s": round(first, 3),
                "second_s": round(times[1], 3),
                "first_records_per_s": round(records / first),
                "second_records_per_s": round(records / times[1])}), flush=True)


if __name__ == "__main__":
    main()
