#!/usr/bin/env python3
"""This build's folder of the tests package, made by the packager from what
the build made and unpacked as a user unpacks it, run as a user runs it
(`cmd /c run-tests.cmd` under Wine): its last line must count as many tests
passed as the build's suite has, and none failed.

usage: tests_package_test.py SOURCE_DIR VERSION BUILD_DIR WORK_DIR
"""
import os
import re
import shutil
import subprocess
import sys
import zipfile

source, version, build, work = sys.argv[1:5]
sys.path.insert(0, os.path.join(source, "tools", "release"))
import make_package  # noqa: E402

wine_run = os.path.join(build, "wine-run")
dll = make_package.read(os.path.join(build, "CHRONYX.dll"))
width = {machine: (folder, machine) for _, folder, machine in make_package.WIDTHS}
folder, machine = width[make_package.pe_machine(dll)]

top = f"CHRONYX-{version}-tests"
shutil.rmtree(work, ignore_errors=True)
os.makedirs(work)
entries = make_package.tests_entries(top, version, source, [(folder, build, machine, dll)])
make_package.write_zip(os.path.join(work, "tests.zip"), entries)
with zipfile.ZipFile(os.path.join(work, "tests.zip")) as archive:
    archive.extractall(work)

# The suite's count: the tests the build's own program lists.
listed = subprocess.run([wine_run, os.path.join(build, "chronyx-wine-tests.exe"),
                         "--gtest_list_tests"], capture_output=True, text=True)
suite = sum(1 for line in listed.stdout.splitlines() if line.startswith("  "))

run = subprocess.run([wine_run, "cmd", "/c", "run-tests.cmd"], cwd=os.path.join(work, top, folder),
                     capture_output=True, text=True)
print(run.stdout, end="")
lines = [line.strip() for line in run.stdout.splitlines() if line.strip()]
last = lines[-1] if lines else ""
counted = re.fullmatch(r"(\d+) passed, (\d+) failed", last)

failures = []
if listed.returncode != 0 or suite == 0:
    failures.append(f"the build's program listed {suite} tests (exit {listed.returncode})")
if not counted:
    failures.append(f"the last line is [{last}], expected [N passed, M failed]")
elif (int(counted[1]), int(counted[2])) != (suite, 0):
    failures.append(f"got [{last}], expected [{suite} passed, 0 failed]")
if run.returncode != 0:
    failures.append(f"run-tests.cmd exited {run.returncode}, expected 0")
if failures:
    print(run.stderr, end="")
for failure in failures:
    print(f"FAIL: {folder}/run-tests.cmd: {failure}")
if not failures:
    print(f"{top}/{folder}/run-tests.cmd: {suite} passed, 0 failed, as the suite counts")
sys.exit(1 if failures else 0)
