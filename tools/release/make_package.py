#!/usr/bin/env python3
"""Writes the release package of CHRONYX into an output folder:

  CHRONYX-<version>.zip        the DLLs of both widths, INSTALL.txt, the
                               guide, the routines reference, the host
                               contract and its contract/ headers, the
                               gallery with its pictures and scenarios, the
                               scenario format, LICENSE and CHANGELOG.md
  CHRONYX-<version>-debug.zip  the debug information of both DLLs
  CHRONYX-<version>-tests.zip  the conformance tests of each width, to run on
                               Windows itself beside the DLL they test
  SHA256SUMS                   the zips, in the form `sha256sum -c` reads

The same inputs give the same bytes: the entries are written in a fixed
order, each with the same time (SOURCE_DATE_EPOCH, else 1980-01-01), the same
permissions and no extra fields. Every failure is one line on stderr and
exit status 1.

usage: make_package.py --version V --source DIR --win32 DIR --win64 DIR --out DIR
  --win32 and --win64: the build folders holding CHRONYX.dll and CHRONYX.dll.debug,
  and tests-package/ with the test program and the reference HOSTRUN.dll
"""
import argparse
import glob
import hashlib
import os
import sys
import time
import zipfile

# Where each width's DLL goes in the package, and the machine its PE header
# must name: a swapped pair of folders is refused rather than shipped.
WIDTHS = (("win32", "win32", 0x014C), ("win64", "x64", 0x8664))
# What a game author and a host programmer read, as it lies in the source
# tree, so that the documents' relative links hold in both. The patterns must
# each match at least one file.
DOCUMENTS = ("docs/guide.md", "docs/routines.md", "docs/host-contract.md", "docs/gallery.md",
             "docs/scenarios.md", "docs/demo.gif")
DOCUMENT_PATTERNS = ("contract/*", "docs/gallery/*.png", "docs/gallery/scenarios/*.json")


class Refusal(Exception):
    pass


def read(path):
    try:
        with open(path, "rb") as f:
            return f.read()
    except OSError as error:
        raise Refusal(f"{path}: {error.strerror}")


def pe_machine(image):
    if image[:2] != b"MZ" or len(image) < 64:
        return None
    at = int.from_bytes(image[60:64], "little")
    if image[at:at + 4] != b"PE\0\0":
        return None
    return int.from_bytes(image[at + 4:at + 6], "little")


def check_dll(path, image, machine, version):
    found = pe_machine(image)
    if found != machine:
        raise Refusal(f"{path}: machine {found and hex(found)}, expected {hex(machine)}")
    # The version resource stores its strings in UTF-16: a DLL built from
    # another version of the sources does not carry this one.
    if ("\0" + version + "\0").encode("utf-16-le") not in image:
        raise Refusal(f"{path}: its version resource does not name version {version}")


# What each width's folder of the tests package takes from tests-package/ in
# its build folder, which the build fills with the Wine test program and the
# reference HOSTRUN.dll, both stripped.
TEST_PROGRAMS = ("chronyx-tests.exe", "HOSTRUN.dll")


def tests_entries(top, version, source, dlls):
    """The tests package of the widths in dlls, (folder, build folder, machine,
    the shipped CHRONYX.dll's bytes): the tests run on the very DLL the main
    zip ships."""
    entries = []
    # cmd.exe reads a batch file by lines ending in CR LF.
    script = read(os.path.join(source, "tools/release/run-tests.cmd")).replace(b"\r\n", b"\n")
    for folder, build, machine, dll in dlls:
        entries.append((f"{top}/{folder}/CHRONYX.dll", dll))
        entries.append((f"{top}/{folder}/run-tests.cmd", script.replace(b"\n", b"\r\n")))
        for name in TEST_PROGRAMS:
            path = os.path.join(build, "tests-package", name)
            image = read(path)
            if pe_machine(image) != machine:
                raise Refusal(f"{path}: not a program of the {folder} build")
            entries.append((f"{top}/{folder}/{name}", image))
    readme = read(os.path.join(source, "tools/release/TESTS.txt")).replace(b"@VERSION@", version.encode())
    entries.append((f"{top}/README.txt", readme))
    return entries


def zip_time():
    epoch = int(os.environ.get("SOURCE_DATE_EPOCH", "315532800"))
    # Zip stores local time without a zone; UTC keeps it the same everywhere,
    # and zip cannot go below 1980.
    return max(time.gmtime(epoch)[:6], (1980, 1, 1, 0, 0, 0))


def write_zip(path, entries):
    """entries: (name in the zip, bytes), written sorted by name."""
    stamp = zip_time()
    with zipfile.ZipFile(path + ".tmp", "w") as archive:
        for name, data in sorted(entries):
            info = zipfile.ZipInfo(name, stamp)
            info.create_system = 3  # Unix, so that the permissions below are read
            info.external_attr = 0o100644 << 16
            info.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(info, data, compresslevel=9)
    os.replace(path + ".tmp", path)


def main():
    parser = argparse.ArgumentParser(description="Writes CHRONYX's release package.")
    for option in ("--version", "--source", "--win32", "--win64", "--out"):
        parser.add_argument(option, required=True)
    args = parser.parse_args()
    version, source = args.version, args.source
    top = f"CHRONYX-{version}"

    package, debug, dlls = [], [], []
    for option, folder, machine in WIDTHS:
        build = getattr(args, option)
        dll = os.path.join(build, "CHRONYX.dll")
        image = read(dll)
        check_dll(dll, image, machine, version)
        package.append((f"{top}/{folder}/CHRONYX.dll", image))
        debug.append((f"{top}-debug/{folder}/CHRONYX.dll.debug", read(dll + ".debug")))
        dlls.append((folder, build, machine, image))
    tests = tests_entries(f"{top}-tests", version, source, dlls)

    install = read(os.path.join(source, "tools/release/INSTALL.txt")).replace(
        b"@VERSION@", version.encode())
    package.append((f"{top}/INSTALL.txt", install))
    for name in ("LICENSE", "CHANGELOG.md") + DOCUMENTS:
        package.append((f"{top}/{name}", read(os.path.join(source, name))))
    for pattern in DOCUMENT_PATTERNS:
        files = sorted(glob.glob(os.path.join(source, pattern)))
        if not files:
            raise Refusal(f"{source}/{pattern}: no such files")
        for path in files:
            package.append((f"{top}/{os.path.relpath(path, source)}", read(path)))

    os.makedirs(args.out, exist_ok=True)
    names = (f"{top}.zip", f"{top}-debug.zip", f"{top}-tests.zip")
    for name, entries in zip(names, (package, debug, tests)):
        write_zip(os.path.join(args.out, name), entries)
    sums = "".join(
        f"{hashlib.sha256(read(os.path.join(args.out, n))).hexdigest()}  {n}\n" for n in names)
    with open(os.path.join(args.out, "SHA256SUMS"), "w", newline="\n") as f:
        f.write(sums)
    for name in names + ("SHA256SUMS",):
        print(f"{os.path.join(args.out, name)}: {os.path.getsize(os.path.join(args.out, name))} bytes")


if __name__ == "__main__":
    try:
        main()
    except Refusal as refusal:
        print(f"make_package: {refusal}", file=sys.stderr)
        sys.exit(1)
