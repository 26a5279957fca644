#!/usr/bin/python3
"""Writes an SD file of N distinct molecules made from the records of real SD files.

A file that repeats its records flatters every cache keyed by the molecule text, and a file
whose records differ only in the title line still hands the same graphs to the matcher. Here
every copy after the first of a record is another molecule: its atoms are renumbered at
random, and one substituent (methyl, fluoro, chloro, bromo, hydroxy, amino, cyano, methoxy)
takes the place of a hydrogen on a random heavy atom that has one. The data items of the
record are kept byte for byte. Records RDKit cannot read are kept as they are, their title
line numbered so that the text is new.

usage: make_distinct_sdf.py N OUT.sdf IN.sdf [IN.sdf ...]
"""
import random
import sys

from rdkit import Chem, RDLogger
from rdkit.Geometry import Point3D

SUBSTITUENTS = [["C"], ["F"], ["Cl"], ["Br"], ["O"], ["N"], ["C", "#N"], ["O", "C"]]


def records(paths):
    for path in paths:
        with open(path, "rb") as f:
            text = f.read().decode("latin-1")
        for rec in text.split("$$$$"):
            # Only the line end after "$$$$": an empty title line is still the first line.
            if rec.startswith("\r\n"):
                rec = rec[2:]
            elif rec.startswith("\n"):
                rec = rec[1:]
            if "M  END" in rec:
                yield rec


def substitute(mol, rng, copy):
    """A renumbered copy of mol with one hydrogen replaced; None if it cannot be made."""
    rw = Chem.RWMol(mol)
    rw.UpdatePropertyCache(strict=False)
    # A drawn hydrogen on a heavy atom becomes the substituent's first atom; otherwise the
    # substituent is bonded to a heavy atom that carries an implicit hydrogen.
    drawn = [a.GetIdx() for a in rw.GetAtoms()
             if a.GetAtomicNum() == 1 and a.GetIsotope() == 0 and a.GetDegree() == 1
             and a.GetNeighbors()[0].GetAtomicNum() > 1]
    implicit = [a.GetIdx() for a in rw.GetAtoms()
                if a.GetAtomicNum() > 1 and a.GetNumImplicitHs() > 0]
    if not drawn and not implicit:
        return None
    group = SUBSTITUENTS[copy % len(SUBSTITUENTS)]
    conf = rw.GetConformer() if rw.GetNumConformers() else None
    site = rng.choice(drawn + implicit)
    if rw.GetAtomWithIdx(site).GetAtomicNum() == 1:
        rw.GetAtomWithIdx(site).SetAtomicNum(Chem.Atom(group[0]).GetAtomicNum())
        prev, rest = site, group[1:]
    else:
        prev, rest = site, group
    for k, symbol in enumerate(rest):
        triple = symbol.startswith("#")
        idx = rw.AddAtom(Chem.Atom(symbol.lstrip("#")))
        rw.AddBond(prev, idx, Chem.BondType.TRIPLE if triple else Chem.BondType.SINGLE)
        if conf is not None:
            p = conf.GetAtomPosition(prev)
            conf.SetAtomPosition(idx, Point3D(p.x + 0.8, p.y + 0.9, p.z))
        prev = idx
    order = list(range(rw.GetNumAtoms()))
    rng.shuffle(order)
    out = Chem.RenumberAtoms(rw.GetMol(), order)
    out.UpdatePropertyCache(strict=False)
    return out


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    wanted = int(sys.argv[1])
    RDLogger.DisableLog("rdApp.*")
    base = list(records(sys.argv[3:]))
    rng = random.Random(20261211)
    written = 0
    with open(sys.argv[2], "w", encoding="latin-1", newline="\n") as out:
        copy = 0
        while written < wanted:
            for rec in base:
                if written >= wanted:
                    break
                block, _, data = rec.partition("M  END")
                data = data[2:] if data.startswith("\r\n") else data[1:]
                text = None
                if copy > 0:
                    mol = Chem.MolFromMolBlock(block + "M  END\n", sanitize=False, removeHs=False)
                    made = substitute(mol, rng, copy) if mol is not None else None
                    if made is not None:
                        try:
                            text = Chem.MolToMolBlock(made, kekulize=False)
                        except Exception:
                            text = None
                if text is None:
                    text = (f"{copy} " if copy else "") + block + "M  END\n"
                out.write(text)
                out.write(data if data.endswith("\n") or not data else data + "\n")
                out.write("$$$$\n")
                written += 1
            copy += 1
    print(f"{written} records, {copy} rounds over {len(base)} originals", file=sys.stderr)


if __name__ == "__main__":
    main()
