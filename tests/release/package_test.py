#!/usr/bin/env python3
"""The release package made twice from stand-in DLLs: the same bytes both
times although the inputs' file times and permissions differ, the entries a
game author is promised, every reference of its documents landing inside it,
and the refusals of DLLs that do not belong.

usage: package_test.py SOURCE_DIR VERSION WORK_DIR
"""
import glob
import hashlib
import os
import shutil
import subprocess
import sys
import zipfile

from package_links import dangling_references

source, version, work = sys.argv[1:4]
packager = os.path.join(source, "tools/release/make_package.py")
failures = 0


def check(what, got, expected):
    global failures
    if got != expected:
        failures += 1
        print(f"FAIL: {what}: got {got!r}, expected {expected!r}")


def stand_in_dll(machine, named_version):
    # Enough of a PE image for the packager: the header's machine, and the
    # version as the version resource stores it.
    head = bytearray(64)
    head[0:2] = b"MZ"
    head[60:64] = (64).to_bytes(4, "little")
    return (bytes(head) + b"PE\0\0" + machine.to_bytes(2, "little") +
            ("\0" + named_version + "\0").encode("utf-16-le"))


def make_build(folder, machine, named_version=version, mode=0o644, mtime=0):
    os.makedirs(f"{folder}/tests-package", exist_ok=True)
    for name, data in (("CHRONYX.dll", stand_in_dll(machine, named_version)),
                       ("CHRONYX.dll.debug", b"debug %x" % machine),
                       ("tests-package/chronyx-tests.exe", stand_in_dll(machine, "tests")),
                       ("tests-package/HOSTRUN.dll", stand_in_dll(machine, "HOSTRUN"))):
        path = os.path.join(folder, name)
        with open(path, "wb") as f:
            f.write(data)
        os.chmod(path, mode)
        os.utime(path, (mtime, mtime))


def package(win32, win64, out):
    env = dict(os.environ, SOURCE_DATE_EPOCH="1765280000")  # 2025-12-09 11:33:20 UTC
    return subprocess.run([sys.executable, packager, "--version", version, "--source", source,
                           "--win32", win32, "--win64", win64, "--out", out],
                          env=env, capture_output=True, text=True)


shutil.rmtree(work, ignore_errors=True)
runs = []
for run, (mode, mtime) in enumerate(((0o644, 1000000000), (0o755, 1700000000))):
    make_build(f"{work}/win32-{run}", 0x014C, mode=mode, mtime=mtime)
    make_build(f"{work}/win64-{run}", 0x8664, mode=mode, mtime=mtime)
    result = package(f"{work}/win32-{run}", f"{work}/win64-{run}", f"{work}/dist-{run}")
    check(f"run {run}: exit status ({result.stderr.strip()})", result.returncode, 0)
    runs.append(f"{work}/dist-{run}")

top = f"CHRONYX-{version}"
names = [f"{top}.zip", f"{top}-debug.zip", f"{top}-tests.zip", "SHA256SUMS"]
for name in names:
    a, b = (os.path.join(r, name) for r in runs)
    same = os.path.exists(a) and os.path.exists(b) and open(a, "rb").read() == open(b, "rb").read()
    check(f"{name} the same bytes from both runs", same, True)
if failures:
    sys.exit(1)

dist = runs[0]
shipped_folders = ("contract/*", "docs/gallery/*.png", "docs/gallery/scenarios/*.json")
expected = sorted([f"{top}/{n}" for n in (
    "CHANGELOG.md", "INSTALL.txt", "LICENSE", "docs/demo.gif", "docs/gallery.md",
    "docs/guide.md", "docs/host-contract.md", "docs/routines.md", "docs/scenarios.md",
    "win32/CHRONYX.dll", "x64/CHRONYX.dll")] + [
        f"{top}/{os.path.relpath(p, source)}" for f in shipped_folders
        for p in glob.glob(f"{source}/{f}")])
with zipfile.ZipFile(f"{dist}/{top}.zip") as archive:
    check("the package's entries", archive.namelist(), expected)
    entries = {name: archive.read(name) for name in archive.namelist()}
    check("the entries' times", {i.date_time for i in archive.infolist()}, {(2025, 12, 9, 11, 33, 20)})
    check("the entries' permissions", {i.external_attr >> 16 for i in archive.infolist()}, {0o100644})
    for entry, original in ((f"{top}/win32/CHRONYX.dll", f"{work}/win32-0/CHRONYX.dll"),
                            (f"{top}/x64/CHRONYX.dll", f"{work}/win64-0/CHRONYX.dll"),
                            (f"{top}/LICENSE", f"{source}/LICENSE")):
        check(f"{entry} as given", archive.read(entry) == open(original, "rb").read(), True)
    install = archive.read(f"{top}/INSTALL.txt").decode()
    check("INSTALL.txt names the version", f"CHRONYX {version}:" in install, True)
    check("INSTALL.txt has no placeholder left", "@VERSION@" in install, False)

# Every link, image and written path of the documents lands in the package;
# and the check finds each kind of reference that would not.
for line in dangling_references(entries):
    check("a reference of the package's documents", line, None)
planted = (
    ("a link to a file not shipped", "[a](missing.md)", "missing.md names nothing"),
    ("a link to an anchor that is not there", "[a](guide.md#nowhere)", "no anchor #nowhere"),
    ("a link out of the package", "[a](../../README.md)", "leaves the package"),
    ("a written path not shipped", "see `contract/missing.h`", "contract/missing.h is not"),
)
for what, text, reason in planted:
    found = dangling_references(dict(entries, **{f"{top}/docs/planted.md": text.encode()}))
    check(f"{what}: found", len(found) == 1 and reason in found[0], True)

with zipfile.ZipFile(f"{dist}/{top}-debug.zip") as archive:
    check("the debug package's entries", archive.namelist(),
          [f"{top}-debug/win32/CHRONYX.dll.debug", f"{top}-debug/x64/CHRONYX.dll.debug"])
sums = [f"{hashlib.sha256(open(f'{dist}/{n}', 'rb').read()).hexdigest()}  {n}" for n in names[:-1]]
check("SHA256SUMS", open(f"{dist}/SHA256SUMS").read().splitlines(), sums)

# The tests package: each width's test programs beside the very DLL the main
# zip ships, the script in CR LF lines, the README with its version.
tests = f"{top}-tests"
with zipfile.ZipFile(f"{dist}/{tests}.zip") as archive, \
        zipfile.ZipFile(f"{dist}/{top}.zip") as shipped:
    check("the tests package's entries", archive.namelist(), sorted(
        [f"{tests}/README.txt"] + [f"{tests}/{w}/{n}" for w in ("win32", "x64") for n in (
            "CHRONYX.dll", "HOSTRUN.dll", "chronyx-tests.exe", "run-tests.cmd")]))
    for width in ("win32", "x64"):
        dll = f"{width}/CHRONYX.dll"
        check(f"{width}: the tests' CHRONYX.dll is the shipped one",
              archive.read(f"{tests}/{dll}") == shipped.read(f"{top}/{dll}"), True)
    script = archive.read(f"{tests}/x64/run-tests.cmd")
    check("run-tests.cmd: every line ends in CR LF",
          script.count(b"\n") == script.count(b"\r\n") > 0, True)
    check("README.txt names the version",
          f"CHRONYX {version}:" in archive.read(f"{tests}/README.txt").decode(), True)

# DLLs that do not belong are refused with one line, and nothing is written.
make_build(f"{work}/old", 0x014C, named_version="0.9.0")
make_build(f"{work}/mixed", 0x014C)
shutil.copy(f"{work}/win64-0/tests-package/chronyx-tests.exe", f"{work}/mixed/tests-package/")
refusals = (
    ("the widths swapped", f"{work}/win64-0", f"{work}/win32-0", "machine 0x8664, expected 0x14c"),
    ("a DLL of another version", f"{work}/old", f"{work}/win64-0", f"does not name version {version}"),
    ("no DLL", f"{work}/nowhere", f"{work}/win64-0", "No such file or directory"),
    ("a test program of the other width", f"{work}/mixed", f"{work}/win64-0",
     "tests-package/chronyx-tests.exe: not a program of the win32 build"),
)
for what, win32, win64, reason in refusals:
    result = package(win32, win64, f"{work}/refused")
    check(f"{what}: exit status", result.returncode, 1)
    lines = result.stderr.splitlines()
    check(f"{what}: one line naming the reason", len(lines) == 1 and reason in lines[0], True)
    check(f"{what}: nothing written", os.path.exists(f"{work}/refused"), False)

print(f"{top}.zip: {len(expected)} entries, the same bytes from both runs")
sys.exit(1 if failures else 0)
