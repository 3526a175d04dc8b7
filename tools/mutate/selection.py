"""Which faults a run plants: drawn from the seed, spread by file size."""

import os
import random

from operators import faults_of_file

# The shipped sources: the module and what it is made of.
SHIPPED = ("dll/module", "dll/core", "dll/display", "dll/events")


def shipped_files(root):
    files = []
    for folder in SHIPPED:
        for name in sorted(os.listdir(os.path.join(root, folder))):
            if name.endswith((".cpp", ".h")):
                files.append(f"{folder}/{name}")
    return files


def choose(root, count, seed):
    """count faults, the same for the same seed and sources.

    Each is drawn by first drawing a file, weighted by its size, then one of
    that file's faults not drawn before; a file with none left drops out.
    """
    rng = random.Random(seed)
    pool = {}
    for rel in shipped_files(root):
        with open(os.path.join(root, rel)) as f:
            text = f.read()
        faults = faults_of_file(rel, text)
        if faults:
            pool[rel] = (len(text), faults)
    chosen = []
    while len(chosen) < count and pool:
        names = sorted(pool)
        rel = rng.choices(names, weights=[pool[n][0] for n in names])[0]
        faults = pool[rel][1]
        chosen.append(faults.pop(rng.randrange(len(faults))))
        if not faults:
            del pool[rel]
    # In file order, so that each file is rebuilt once for all its faults.
    return sorted(chosen, key=lambda f: (f.path, f.line, f.change))


def load_equivalents(path):
    """The known equivalent faults: (file, line as written, line as mutated) -> why."""
    known = {}
    if not os.path.isfile(path):
        return known
    with open(path) as f:
        for row in f:
            row = row.rstrip("\n")
            if not row or row.startswith("#"):
                continue
            rel, before, after, why = row.split("\t")
            known[(rel, before.strip(), after.strip())] = why
    return known
