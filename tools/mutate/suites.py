"""The copy of the checkout a run plants its faults in, and its suites.

The faults go into a copy under build/mutate/, never into the checkout, so
an interrupted run leaves the tree as it was. The copy keeps its build
folders between runs: only files whose content changed are rewritten, so
every build after the first is incremental.
"""

import os
import shutil
import signal
import subprocess

# What each suite is called in the table.
NATIVE, SANITIZED, WIN64, WIN32 = "native", "sanitized", "win64 Wine", "win32 Wine"


def git_files(root):
    """The checkout's files as git sees them, tracked or new, not ignored."""
    out = subprocess.run(
        ["git", "ls-files", "-z", "--cached", "--others", "--exclude-standard"],
        cwd=root, check=True, capture_output=True,
    ).stdout.decode()
    return [p for p in out.split("\0") if p and os.path.isfile(os.path.join(root, p))]


def sync_copy(root, copy):
    """Brings the copy to the checkout's content, touching only what differs."""
    for rel in git_files(root):
        src, dst = os.path.join(root, rel), os.path.join(copy, rel)
        with open(src, "rb") as f:
            data = f.read()
        if os.path.isfile(dst):
            with open(dst, "rb") as f:
                if f.read() == data:
                    continue
        os.makedirs(os.path.dirname(dst), exist_ok=True)
        shutil.copy2(src, dst)
        # Newer than anything built from the old content.
        os.utime(dst)


def write_line(copy, rel, number, new_line, original):
    """The file in the copy with one line replaced (or the original back)."""
    lines = original.split("\n")
    if number:
        lines[number - 1] = new_line
    with open(os.path.join(copy, rel), "w") as f:
        f.write("\n".join(lines))


class Outcome:
    PASSED, FAILED, HUNG, NOT_BUILT = "passed", "failed", "hung", "not built"


def kill_group(pid):
    try:
        os.killpg(pid, signal.SIGKILL)
    except ProcessLookupError:
        pass


def run(cmd, cwd, limit=None, log=None):
    """Exit status and output; None for the status when the limit ran out.

    The command runs in a group of its own, and the whole group is killed
    when the limit runs out or the run is interrupted: a hung test must not
    outlive the ctest that started it.
    """
    p = subprocess.Popen(cmd, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                         text=True, errors="replace", start_new_session=True)
    try:
        out, _ = p.communicate(timeout=limit)
        status = p.returncode
    except subprocess.TimeoutExpired:
        kill_group(p.pid)
        out, _ = p.communicate()
        status = None
    except BaseException:
        kill_group(p.pid)
        raise
    if log:
        with open(log, "a") as f:
            f.write(f"$ {' '.join(cmd)}  (in {cwd})\n{out}\n")
    return status, out


class Suite:
    """One build of the copy and the tests run on it."""

    def __init__(self, name, copy, preset, build_dir, test_cmd, log, per_test=None, limit=None):
        self.name, self.copy, self.preset, self.build_dir = name, copy, preset, build_dir
        self.test_cmd, self.log = test_cmd, log
        self.per_test, self.limit = per_test, limit

    def build(self, target=None):
        if not os.path.isfile(os.path.join(self.copy, self.build_dir, "build.ninja")):
            if run(["cmake", "--preset", self.preset], self.copy, log=self.log)[0] != 0:
                raise RuntimeError(f"cmake --preset {self.preset} failed; see {self.log}")
        cmd = ["cmake", "--build", self.build_dir] + (["--target", target] if target else [])
        return run(cmd, self.copy, log=self.log)[0] == 0

    def check(self):
        """The outcome of building and testing the copy as it now is."""
        if not self.build():
            return Outcome.NOT_BUILT
        cmd = list(self.test_cmd)
        if self.per_test:
            cmd += ["--timeout", str(self.per_test)]
        return self.attempt(cmd, self.limit)

    def attempt(self, cmd, limit):
        """The outcome of one test command; a hang is tried once more, as a
        machine busy with other work can stall a test that would pass."""
        for _ in range(2):
            status, out = run(cmd, self.copy, limit, self.log)
            if status is not None and "***Timeout" not in out:
                return Outcome.PASSED if status == 0 else Outcome.FAILED
        return Outcome.HUNG


def ctest(*args):
    return ["ctest", *args, "--parallel", str(os.cpu_count() or 1), "--stop-on-failure"]


class NativeSuite(Suite):
    """The native suite on the unoptimised build without coverage counts.

    The unit tests' own program runs first, built alone: it catches most
    faults in a second or two. Only what passes it meets the whole suite.
    """

    UNITS = "chronyx-native-tests"

    def __init__(self, copy, log):
        test = ctest("--test-dir", "build/mutate-native", "--label-exclude", "sweep")
        super().__init__(NATIVE, copy, "mutate", "build/mutate-native", test, log)

    def check(self):
        if not self.build(self.UNITS):
            return Outcome.NOT_BUILT
        units = [f"{self.build_dir}/tests/native/{self.UNITS}", "--gtest_brief=1"]
        outcome = self.attempt(units, self.per_test)
        return outcome if outcome != Outcome.PASSED else super().check()


def sanitized_suite(copy, log, per_test, limit):
    test = ctest("--preset", "sanitized")
    return Suite(SANITIZED, copy, "fuzz", "build/fuzz", test, log, per_test, limit)


def wine_suite(copy, log, width, limit):
    name = WIN64 if width == "win64" else WIN32
    test = ["./chronyx", "wine-suite", width]
    return Suite(name, copy, width, f"build/{width}", test, log, None, limit)
