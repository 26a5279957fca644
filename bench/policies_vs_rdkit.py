#!/usr/bin/python3
"""Duplicate groups under a duplicate policy: zelmar-tool against RDKit's MolStandardize.

Usage: /usr/bin/python3 bench/policies_vs_rdkit.py FILE.sdf [--policy WORDS] [--stereo]
       [--tool PATH] [--all] [--show N]

RDKit's side applies the steps as the search library documents them, in this order, to each
molecule as RDKit reads it: atom map numbers cleared and (without --stereo) stereo removed;
salts: the largest fragment, organic first (LargestFragmentChooser(preferOrganic=True)), only
where there are several; charges: Uncharger, only where there is a charge; isotopes: every
isotope label dropped and hydrogens removed; then the key: the HetAtomTautomer MolHash with
tautomers, otherwise the canonical isomeric SMILES. Records whose keys are equal form a group;
an unreadable molecule forms none, molecules without atoms form one (as the duplicate search
treats them). The tool's groups come from `zelmar-tool duplicates --by molecule --policy`.
The script prints one JSON line per policy: the groups on each side, the records grouped, and
the agreement (records whose group is the same set of records on both sides, over the records
grouped on either side); --show lists that many differing groups on standard error.
--all runs each rule alone and all four together.
"""
import json
import os
import subprocess
import sys
import tempfile
import time

from rdkit import Chem, RDLogger
from rdkit.Chem import rdMolHash
from rdkit.Chem.MolStandardize import rdMolStandardize

RDLogger.DisableLog("rdApp.*")

BITS = {"salts": 1, "charges": 2, "isotopes": 4, "tautomers": 8}
HERE = os.path.dirname(os.path.abspath(__file__))


def records(sd_text):
    """The records of an SD text, each ending with its $$$$ line."""
    out, current = [], []
    for line in sd_text.splitlines(keepends=True):
        current.append(line)
        if line.rstrip("\r\n") == "$$$$":
            out.append("".join(current))
            current = []
    if "".join(current).strip():
        out.append("".join(current) + "\n$$$$\n")
    return out


def mol_block(record):
    end = record.find("M  END")
    return record if end < 0 else record[: record.find("\n", end) + 1]


def several_fragments(mol):
    return len(Chem.GetMolFrags(mol)) > 1


def key_of(block, policy, stereo, chooser, uncharger):
    """The key RDKit's steps give, "" for no atoms, None for an unreadable molecule."""
    mol = Chem.MolFromMolBlock(block)
    if mol is None:
        return None
    if mol.GetNumAtoms() == 0:
        return ""
    try:
        mol = Chem.RWMol(mol)
        for atom in mol.GetAtoms():
            atom.SetAtomMapNum(0)
        if not stereo:
            Chem.RemoveStereochemistry(mol)
        if policy & 1 and several_fragments(mol):
            mol = chooser.choose(mol)
        if policy & 2 and any(a.GetFormalCharge() for a in mol.GetAtoms()):
            mol = uncharger.uncharge(mol)
        if policy & 4:
            mol = Chem.RWMol(mol)
            for atom in mol.GetAtoms():
                atom.SetIsotope(0)
            mol = Chem.RemoveHs(mol, sanitize=False)
            mol.UpdatePropertyCache(False)
        if mol.GetNumAtoms() == 0:
            return ""
        if policy & 8:
            return rdMolHash.MolHash(Chem.Mol(mol), rdMolHash.HashFunction.HetAtomTautomer) or None
        return Chem.MolToSmiles(mol, isomericSmiles=True) or None
    except Exception:
        return None


def rdkit_groups(blocks, policy, stereo):
    chooser = rdMolStandardize.LargestFragmentChooser(preferOrganic=True)
    uncharger = rdMolStandardize.Uncharger()
    known = {}  # a text read once: the 100k file repeats its records
    by_key = {}
    for row, block in enumerate(blocks):
        if block not in known:
            known[block] = key_of(block, policy, stereo, chooser, uncharger)
        key = known[block]
        if key is not None:
            by_key.setdefault(key, []).append(row)
    return [frozenset(rows) for rows in by_key.values() if len(rows) > 1]


def tool_groups(tool, sd_records, policy_words, stereo, folder):
    """The tool's groups, as sets of record numbers (each record carries its number)."""
    numbered = os.path.join(folder, "numbered.sdf")
    with open(numbered, "w", encoding="utf-8", errors="surrogateescape", newline="") as out:
        for row, record in enumerate(sd_records):
            cut = record.rfind("$$$$")
            out.write(record[:cut] + "> <POLICY_CHECK_ROW>\n%d\n\n" % row + record[cut:])
    result = os.path.join(folder, "groups.sdf")
    args = [tool, "duplicates", numbered, "--by", "molecule", "--policy", policy_words,
            "--json", "-o", result]
    if stereo:
        args.append("--stereo")
    started = time.monotonic()
    run = subprocess.run(args, capture_output=True, text=True, env=dict(os.environ, LC_ALL="C"))
    seconds = time.monotonic() - started
    if run.returncode not in (0, 1):
        sys.exit("zelmar-tool failed: " + run.stderr.strip())
    sizes = json.loads(run.stderr.strip().splitlines()[-1])["sizes"]
    rows = []
    with open(result, encoding="utf-8", errors="surrogateescape") as written:
        lines = written.read().splitlines()
    for i, line in enumerate(lines):
        if line.startswith(">") and "<POLICY_CHECK_ROW>" in line:
            rows.append(int(lines[i + 1]))
    groups, at = [], 0
    for size in sizes:
        groups.append(frozenset(rows[at : at + size]))
        at += size
    return groups, seconds


def compare(name, stereo, ours, theirs, blocks, show):
    grouped_ours = {row for g in ours for row in g}
    grouped_theirs = {row for g in theirs for row in g}
    same = set(ours) & set(theirs)
    agreeing = sum(len(g) for g in same)
    grouped = len(grouped_ours | grouped_theirs)
    line = {
        "policy": name,
        "stereo": stereo,
        "records": len(blocks),
        "tool_groups": len(ours),
        "rdkit_groups": len(theirs),
        "tool_grouped": len(grouped_ours),
        "rdkit_grouped": len(grouped_theirs),
        "same_groups": len(same),
        "agreement": round(agreeing / grouped, 6) if grouped else 1.0,
    }
    differing = [g for g in set(ours) ^ set(theirs)]
    for g in sorted(differing, key=min)[:show]:
        side = "tool" if g in set(ours) else "rdkit"
        smiles = []
        for row in sorted(g)[:4]:
            mol = Chem.MolFromMolBlock(blocks[row])
            smiles.append(Chem.MolToSmiles(mol) if mol is not None else "<unreadable>")
        print("only %s: rows %s %s" % (side, sorted(g)[:8], smiles), file=sys.stderr)
    return line


def main():
    args = sys.argv[1:]
    if not args or args[0].startswith("-"):
        sys.exit(__doc__)
    path = args[0]
    option = lambda name, default: args[args.index(name) + 1] if name in args else default
    stereo = "--stereo" in args
    tool = option("--tool", os.path.join(HERE, "..", "build", "bin", "zelmar-tool"))
    show = int(option("--show", "0"))
    if "--all" in args:
        policies = ["salts", "charges", "isotopes", "tautomers", "salts,charges,isotopes,tautomers"]
    else:
        policies = [option("--policy", "salts,charges,isotopes,tautomers")]
    with open(path, encoding="utf-8", errors="surrogateescape", newline="") as f:
        sd_records = records(f.read())
    blocks = [mol_block(r) for r in sd_records]
    with tempfile.TemporaryDirectory() as folder:
        for words in policies:
            policy = 0
            for word in words.split(","):
                policy |= BITS[word]
            ours, seconds = tool_groups(tool, sd_records, words, stereo, folder)
            theirs = rdkit_groups(blocks, policy, stereo)
            line = compare(words, stereo, ours, theirs, blocks, show)
            line["tool_seconds"] = round(seconds, 3)
            print(json.dumps(line), flush=True)


if __name__ == "__main__":
    main()
