"""Plants single-point faults in the shipped sources, one at a time, and
names the suite that catches each: ./chronyx mutate [COUNT] [--seed N].

Every fault first meets the native suite (incremental build, time limit: a
hang counts as caught). A survivor then meets the sanitized suite and the
Wine suites this machine runs. Faults listed in equivalent.tsv, which change
nothing a caller can see, are not planted and do not count.
"""

import argparse
import os
import sys
import time

import selection
import suites
from suites import Outcome

HERE = os.path.dirname(os.path.abspath(__file__))
# About a quarter of an hour on two cores.
DEFAULT_COUNT = 100
DEFAULT_SEED = 1


def say(text):
    print(text, file=sys.stderr, flush=True)


def parse(argv):
    p = argparse.ArgumentParser(prog="./chronyx mutate", description=__doc__.split("\n\n")[0])
    p.add_argument("count", nargs="?", type=int, default=DEFAULT_COUNT,
                   help=f"how many faults to plant (default {DEFAULT_COUNT})")
    p.add_argument("--seed", type=int, default=DEFAULT_SEED, help=f"default {DEFAULT_SEED}")
    p.add_argument("--root", default=os.path.dirname(os.path.dirname(HERE)), help=argparse.SUPPRESS)
    # What the runner found out about this machine (probe_32bit).
    p.add_argument("--runs-32bit", default="no", help=argparse.SUPPRESS)
    p.add_argument("--why-not-32bit", default="not probed", help=argparse.SUPPRESS)
    args = p.parse_args(argv)
    if args.count < 1:
        p.error("COUNT must be at least 1")
    return args


class Planter:
    """Puts one fault at a time into the copy, and the file back after."""

    def __init__(self, copy):
        self.copy = copy
        self.originals = {}

    def plant(self, fault):
        original = self.original(fault.path)
        suites.write_line(self.copy, fault.path, fault.line, fault.after, original)

    def restore(self, path):
        suites.write_line(self.copy, path, 0, None, self.original(path))

    def original(self, path):
        if path not in self.originals:
            with open(os.path.join(self.copy, path)) as f:
                self.originals[path] = f.read()
        return self.originals[path]


def first_pass(faults, known, planter, native):
    """Each fault against the native suite: its verdict, or None if it survived."""
    verdicts = []
    current = None
    for i, fault in enumerate(faults, 1):
        if current and current != fault.path:
            planter.restore(current)
        current = fault.path
        why = known.get(fault.key())
        if why:
            verdicts.append(f"equivalent: {why}")
            continue
        planter.plant(fault)
        started = time.monotonic()
        outcome = native.check()
        verdict = {Outcome.FAILED: suites.NATIVE, Outcome.HUNG: f"{suites.NATIVE} (hang)",
                   Outcome.NOT_BUILT: "not built", Outcome.PASSED: None}[outcome]
        say(f"[{i}/{len(faults)}] {fault.path}:{fault.line} {fault.change}: "
            f"{verdict or 'survived the native suite'} ({time.monotonic() - started:.0f} s)")
        verdicts.append(verdict)
    if current:
        planter.restore(current)
    return verdicts


def later_passes(faults, verdicts, planter, later, not_run):
    """Each survivor of the native suite against the other suites in turn.

    Each suite first runs once without any fault: one that fails on its own
    would take every survivor for caught, and is left out, named.
    """
    sound = {}
    for i, fault in enumerate(faults):
        if verdicts[i] is not None:
            continue
        for suite in later:
            if suite.name not in sound:
                say(f"== the {suite.name} suite without faults")
                sound[suite.name] = suite.check() == Outcome.PASSED
                if not sound[suite.name]:
                    not_run.append((suite.name, "it fails without any fault"))
            if not sound[suite.name]:
                continue
            planter.plant(fault)
            say(f"{fault.path}:{fault.line} {fault.change}: the {suite.name} suite")
            outcome = suite.check()
            planter.restore(fault.path)
            if outcome == Outcome.NOT_BUILT:
                verdicts[i] = f"not built ({suite.name})"
            elif outcome != Outcome.PASSED:
                verdicts[i] = suite.name + (" (hang)" if outcome == Outcome.HUNG else "")
            if verdicts[i]:
                break
        verdicts[i] = verdicts[i] or "survived"


def report(faults, verdicts, not_run, seed, took):
    width = max(len(f"{f.path}:{f.line}") for f in faults)
    print(f"{'#':>3}  {'fault':<{width}}  {'change':<24}  caught by")
    for i, (fault, verdict) in enumerate(zip(faults, verdicts), 1):
        print(f"{i:>3}  {f'{fault.path}:{fault.line}':<{width}}  {fault.change:<24}  {verdict}")
    survivors = [f for f, v in zip(faults, verdicts) if v == "survived"]
    for fault in survivors:
        print(f"\nsurvived: {fault.path}:{fault.line} {fault.change}\n"
              f"  was: {fault.before.strip()}\n  now: {fault.after.strip() or '(deleted)'}")
    for name, why in not_run:
        print(f"not run: the {name} suite: {why}")
    planted = len(faults)
    not_built = sum(1 for v in verdicts if v.startswith("not built"))
    equivalent = sum(1 for v in verdicts if v.startswith("equivalent"))
    counted = planted - not_built - equivalent
    caught = counted - len(survivors)
    share = f"{100 * caught / counted:.1f}%" if counted else "n/a"
    print(f"\nscore: {caught}/{counted} caught = {share} (planted {planted}, not built "
          f"{not_built}, equivalent {equivalent}, survived {len(survivors)}; seed {seed}; "
          f"{took / 60:.0f} min)")
    return not survivors


def main(argv):
    args = parse(argv)
    started = time.monotonic()
    root = os.path.abspath(args.root)
    work = os.path.join(root, "build", "mutate")
    copy, log = os.path.join(work, "src"), os.path.join(work, "run.log")
    os.makedirs(work, exist_ok=True)
    open(log, "w").close()
    say(f"== the copy in {copy} (log: {log})")
    suites.sync_copy(root, copy)

    faults = selection.choose(copy, args.count, args.seed)
    known = selection.load_equivalents(os.path.join(HERE, "equivalent.tsv"))
    planter = Planter(copy)
    # The copy's own sources are the originals: read them before any fault.
    for fault in faults:
        planter.original(fault.path)

    native = suites.NativeSuite(copy, log)
    say("== the native suite without faults")
    t0 = time.monotonic()
    if native.check() != Outcome.PASSED:
        say(f"chronyx mutate: the native suite fails without any fault; see {log}")
        return 2
    baseline = time.monotonic() - t0
    # A test that runs a minute, or the suite four times as long as it did
    # without faults, is taken as hung.
    native.per_test, native.limit = 60, int(max(120, 4 * baseline))
    say(f"== {len(faults)} faults (seed {args.seed}); the native suite "
        f"{baseline:.0f} s without them, limit {native.limit} s")

    verdicts = first_pass(faults, known, planter, native)
    later = [suites.sanitized_suite(copy, log, 300, 1800),
             suites.wine_suite(copy, log, "win64", 1800)]
    not_run = []
    if args.runs_32bit == "yes":
        later.append(suites.wine_suite(copy, log, "win32", 1800))
    else:
        not_run.append((suites.WIN32, f"{args.why_not_32bit}, and the VM that would run "
                        "it takes too long to start once per fault"))
    later_passes(faults, verdicts, planter, later, not_run)
    return 0 if report(faults, verdicts, not_run, args.seed, time.monotonic() - started) else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
