"""Checks of scripts/mutation_check.py: which changes it makes of a piece of C++, that the file is
put back however a run ends (an error, Ctrl-C, SIGTERM, a run killed outright), and how it
counts. Builds and tests are replaced by small shell commands."""
import os
import signal
import subprocess
import sys
import tempfile
import textwrap
import time
import unittest

SCRIPTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts")
SCRIPT = os.path.join(SCRIPTS, "mutation_check.py")
# The tool is imported from the sources; no byte code is left beside it.
sys.dont_write_bytecode = True
sys.path.insert(0, SCRIPTS)
import mutation_check as mc  # noqa: E402

SOURCE = "int Over(int a, int b) { return a < b + 2; }\n"


def changes(source):
    return [(m.line, m.change) for m in mc.mutants_of(source)]


class Mutants(unittest.TestCase):
    def test_each_operator_and_what_is_left_alone(self):
        table = [
            ("x = a < b && c >= d;", ["< -> <=", "&& -> ||", ">= -> >"]),
            ("x = a <= b || c > d == e != f;", ["<= -> <", "|| -> &&", "> -> >=", "== -> !=",
                                                 "!= -> =="]),
            ("x = f(a) - b[1] + 0x0F; y += 2LL; y -= z;",
             ["- -> +", "1 -> 2", "1 -> 0", "+ -> -", "0x0F -> 0x10", "0x0F -> 0xe", "+= -> -=",
              "2LL -> 3LL", "2LL -> 1LL", "-= -> +="]),
            ("x = -a + !b;", ["+ -> -", "delete !"]),
            ("if (a != 0) return -1;\n",
             ["delete return early-out", "!= -> ==", "0 -> 1", "0 -> -1", "1 -> 2", "1 -> 0"]),
            ("if (a) { return b; }\nif (c) return d; else e();", ["delete return early-out"]),
            ('#include <a.h>\n// a < b\n/* 1 + 2 */ s = "a < 1" + t; c = \'<\'; x = 1.5;', []),
            ("std::vector<std::pair<int, int>> v = static_cast<long>(p->q); o << a >> b;", []),
            ("bool operator<(A a) const; s = u\"x\" + S(1.0); s += \",\"; s += ',';", []),
        ]
        for source, expected in table:
            with self.subTest(source=source):
                self.assertEqual([c for _, c in changes(source)], expected)

    def test_same_file_same_mutants_with_equal_changes_told_apart(self):
        source = "x = a < b;\ny = c < d && e < f;\n"
        self.assertEqual(changes(source), [(1, "< -> <="), (2, "< -> <= #1"), (2, "&& -> ||"),
                                           (2, "< -> <= #2")])
        self.assertEqual([m.number for m in mc.mutants_of(source)], [1, 2, 3, 4])
        self.assertEqual(changes(source), changes(source))

    def test_a_function_keeps_the_mutants_inside_its_body(self):
        source = "int F(int a) { return a + 1; }\nint G(int a) { return a < 1; }\n"
        self.assertEqual([(m.line, m.change) for m in mc.mutants_of(source, "G")],
                         [(2, "< -> <="), (2, "1 -> 2"), (2, "1 -> 0")])

    def test_every_listed_equivalent_mutant_is_one_of_its_file(self):
        # A block whose line was rewritten no longer stands for any mutant: it must follow the
        # code (or go) before the next measurement counts it.
        listed = mc.read_equivalents(mc.EQUIVALENT_FILE)
        mutants = {}
        for relpath in sorted({key[0] for key in listed}):
            with open(os.path.join(mc.ROOT, relpath), encoding="utf-8", newline="") as f:
                mutants[relpath] = {(relpath, m.line_text, m.change) for m in mc.mutants_of(f.read())}
        self.assertEqual([key for key in listed if key not in mutants[key[0]]], [])


class Runs(unittest.TestCase):
    """A run over SOURCE in a scratch repository: the "build" fails for a mutant that cannot
    compile (none here) and runs as told; the "test" kills a mutant with "<=" in it."""

    def setUp(self):
        self.work = tempfile.mkdtemp()
        self.src = os.path.join(self.work, "f.cpp")
        self.orig = os.path.join(self.work, "orig.cpp")
        for path in (self.src, self.orig):
            with open(path, "w") as f:
                f.write(SOURCE)
        self.equivalent = os.path.join(self.work, "equivalent.txt")
        with open(self.equivalent, "w") as f:
            f.write("# a comment\n\n" + mc.equivalent_block(self.src_rel(), mc.mutants_of(SOURCE)[1],
                                                          "reason"))

    def tearDown(self):
        subprocess.run(["rm", "-rf", self.work])

    def src_rel(self):
        return os.path.relpath(self.src, mc.ROOT)

    def start(self, build, *extra):
        return subprocess.Popen(
            [sys.executable, SCRIPT, self.src, "--build-dir", os.path.join(self.work, "b"),
             "--equivalent", self.equivalent, "--build-cmd", build,
             "--test-cmd", f"! grep -q '<=' {self.src}", *extra],
            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)

    def wait_for(self, path, timeout=60):
        deadline = time.monotonic() + timeout
        while not os.path.exists(path):
            self.assertLess(time.monotonic(), deadline, f"{path} never appeared")
            time.sleep(0.05)

    def assert_restored(self):
        with open(self.src) as f:
            self.assertEqual(f.read(), SOURCE)

    def test_counts_killed_equivalent_and_survived(self):
        out, _ = self.start("true").communicate(timeout=120)
        # a < b + 2: "<=" killed, "+ -> -" equivalent by the list, 2 -> 3 and 2 -> 1 survive.
        self.assertIn("4 mutants, 1 killed, 1 equivalent, 2 survived, 0 did not compile, 0 not run",
                      out)
        self.assertIn(f"survived {self.src_rel()}:1: 2 -> 3", out)
        self.assert_restored()

    def test_file_is_restored_after_an_interrupt_or_a_kill(self):
        # The build of the first mutant writes `started` (with its own process id) and hangs.
        hang = f"cmp -s {self.src} {self.orig} || {{ echo $$ >{self.work}/started; sleep 60; }}"
        for how in (signal.SIGINT, signal.SIGTERM, signal.SIGKILL):
            with self.subTest(how=how.name):
                started = os.path.join(self.work, "started")
                run = self.start(hang)
                self.wait_for(started)
                with open(started) as f:
                    build_pid = int(f.read())
                os.remove(started)
                run.send_signal(how)
                out, _ = run.communicate(timeout=60)
                if how == signal.SIGKILL:
                    os.kill(build_pid, signal.SIGKILL)  # the hung build outlives a killed run
                    out = subprocess.run([sys.executable, SCRIPT, self.src, "--list", "--build-dir",
                                          os.path.join(self.work, "b")],
                                         capture_output=True, text=True).stdout
                    self.assertIn("interrupted run had left mutated", out)
                else:
                    self.assertEqual(run.returncode, 130, out)
                    with self.assertRaises(ProcessLookupError):  # the build was stopped too
                        os.kill(build_pid, 0)
                self.assert_restored()

    def test_an_error_while_a_mutant_is_in_restores_the_file(self):
        journal = mc.Journal(os.path.join(self.work, "b", "in-progress.json"))
        with self.assertRaises(OSError):
            with mc.MutantInPlace(self.src, SOURCE, "broken", journal):
                raise OSError("disk full")
        self.assert_restored()
        self.assertIsNone(journal.repair())

    def test_time_limit_stops_with_what_it_has(self):
        slow = f"cmp -s {self.src} {self.orig} || sleep 2"
        out, _ = self.start(slow, "--time-limit", "3").communicate(timeout=60)
        self.assertRegex(out, r"4 mutants, \d killed, 1 equivalent, \d survived, 0 did not "
                              r"compile, [12] not run")
        self.assert_restored()


if __name__ == "__main__":
    unittest.main()
