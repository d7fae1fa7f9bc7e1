"""Checks of the test command's own tools: scripts/run_gtest.py (a failed test that crossed
midnight runs again once), scripts/summarize_results.py (every ctest test of every tree is
counted, and the exit status agrees with the summary line) and scripts/check_guide.py (the
guide shows only pictures the run made)."""
import json
import os
import subprocess
import sys
import tempfile
import textwrap
import unittest
import xml.etree.ElementTree as ET

SCRIPTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts")

# A stand-in GoogleTest program: writes the report it is told to for the first run, and for a
# run with --gtest_filter the re-run report; counts its runs in runs.txt.
FAKE_GTEST = textwrap.dedent("""\
    import sys, os
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "runs.txt"), "a") as runs:
        runs.write(" ".join(sys.argv[1:]) + "\\n")
    rerun = any(a.startswith("--gtest_filter=") for a in sys.argv)
    out = next(a for a in sys.argv if a.startswith("--gtest_output=xml:"))[len("--gtest_output=xml:"):]
    body = open(os.path.join(here, "rerun.xml" if rerun else "first.xml")).read()
    open(out[2:] if out.startswith("Z:") else out, "w").write(body)
    sys.exit(1 if "<failure" in body else 0)
    """)


def report(*cases):
    """A GoogleTest report of suite S with cases (name, failed, timestamp, seconds)."""
    rows = "".join(
        f'<testcase name="{n}" status="run" result="completed" timestamp="{t}" time="{s}">'
        + ('<failure message="boom"/>' if bad else "") + "</testcase>"
        for n, bad, t, s in cases)
    return f'<testsuites><testsuite name="S">{rows}</testsuite></testsuites>'


def run(script, *args, cwd=None):
    return subprocess.run([sys.executable, os.path.join(SCRIPTS, script), *args], cwd=cwd,
                          capture_output=True, text=True)


class RunGtest(unittest.TestCase):
    BEFORE_MIDNIGHT = "2026-12-07T23:59:58.000"
    MIDDAY = "2026-12-07T12:00:00.000"

    def test_failed_test_across_midnight_runs_once_more(self):
        # (first report, re-run report, runs expected, exit status, "rerun" marked)
        table = [
            (report(("A", True, self.BEFORE_MIDNIGHT, "3"), ("B", False, self.MIDDAY, "1")),
             report(("A", False, "2026-12-08T00:00:02.000", "1")), 2, 0, True),
            (report(("A", True, self.BEFORE_MIDNIGHT, "3")),
             report(("A", True, "2026-12-08T00:00:02.000", "1")), 2, 1, True),
            (report(("A", True, self.MIDDAY, "3")), report(), 1, 1, False),
            (report(("A", False, self.BEFORE_MIDNIGHT, "3")), report(), 1, 0, False),
        ]
        for first, again, runs, status, marked in table:
            with self.subTest(first=first), tempfile.TemporaryDirectory() as work:
                for name, text in (("fake.py", FAKE_GTEST), ("first.xml", first), ("rerun.xml", again)):
                    with open(os.path.join(work, name), "w") as f:
                        f.write(text)
                out = os.path.join(work, "out.xml")
                result = run("run_gtest.py", sys.executable, os.path.join(work, "fake.py"),
                             "--gtest_output=xml:Z:" + out)
                self.assertEqual(result.returncode, status, result.stdout + result.stderr)
                with open(os.path.join(work, "runs.txt")) as f:
                    self.assertEqual(len(f.readlines()), runs)
                merged = ET.parse(out).getroot()
                case_a = next(c for c in merged.iter("testcase") if c.get("name") == "A")
                rerun = [p for p in case_a.iter("property") if p.get("name") == "rerun"]
                self.assertEqual(bool(rerun), marked)
                self.assertEqual("RE-RUN" in result.stdout, marked)
                self.assertEqual(len(list(merged.iter("testcase"))), first.count("<testcase"))

    def test_report_reaches_a_folder_with_a_space_japanese_and_accents(self):
        # The program itself is only ever given an ASCII report path.
        with tempfile.TemporaryDirectory() as work:
            for name, text in (("fake.py", FAKE_GTEST), ("first.xml", report(("A", True, self.MIDDAY, "1")))):
                with open(os.path.join(work, name), "w") as f:
                    f.write(text)
            out = os.path.join(work, "a b", "記録", "josé", "out.xml")
            result = run("run_gtest.py", sys.executable, os.path.join(work, "fake.py"),
                         "--gtest_output=xml:Z:" + out)
            self.assertEqual(result.returncode, 1, result.stdout + result.stderr)
            with open(os.path.join(work, "runs.txt")) as f:
                given = f.read()
            self.assertTrue(given.isascii() and "--gtest_output=xml:Z:/" in given, given)
            self.assertEqual([c.get("name") for c in ET.parse(out).getroot().iter("testcase")], ["A"])


class Summarize(unittest.TestCase):
    def make_tree(self, root, name, ctest_cases, gtest_reports):
        """ctest_cases: (ctest name, "passed"|"failed"|"skipped", output); gtest_reports: {ctest
        name: report text} for the tests that run a GoogleTest program."""
        results = os.path.join(root, name, "results")
        os.makedirs(results)
        tests, rows = [], []
        for test, outcome, output in ctest_cases:
            command = ["prog"]
            if test in gtest_reports:
                path = os.path.join(results, test + ".xml")
                with open(path, "w") as f:
                    f.write(gtest_reports[test])
                command.append("--gtest_output=xml:Z:" + path)
            tests.append({"name": test, "command": command})
            inner = {"failed": '<failure message="Failed"/>', "skipped": "<skipped/>"}.get(outcome, "")
            rows.append(f'<testcase name="{test}" status="{"fail" if outcome == "failed" else "run"}">'
                        f"{inner}<system-out>{output}</system-out></testcase>")
        with open(os.path.join(results, "ctest-tests.json"), "w") as f:
            json.dump({"tests": tests}, f)
        with open(os.path.join(results, "ctest-junit.xml"), "w") as f:
            f.write("<testsuite>" + "".join(rows) + "</testsuite>")
        return os.path.join(root, name)

    def test_every_ctest_test_counts(self):
        t = "2026-12-07T12:00:00.000"
        mixed = report(("Ok", False, t, "1"), ("Bad", True, t, "1"))
        clean = report(("Ok", False, t, "1"))
        # (ctest cases, gtest reports, summary line, failure folders)
        table = [
            ([("render", "failed", "no image")], {}, "0 passed, 1 failed, 0 skipped", {"render"}),
            ([("render", "passed", ""), ("installer", "skipped", "")], {},
             "1 passed, 0 failed, 1 skipped", set()),
            ([("unit", "failed", "[ RUN      ] S.Bad\nboom\n[  FAILED  ] S.Bad (1 ms)")],
             {"unit": mixed}, "1 passed, 1 failed, 0 skipped", {"S.Bad"}),
            ([("unit", "failed", "AddressSanitizer")], {"unit": clean},
             "1 passed, 1 failed, 0 skipped", {"unit"}),
            ([("unit", "failed", "crashed")], {}, "0 passed, 1 failed, 0 skipped", {"unit"}),
        ]
        for cases, reports, line, folders in table:
            with self.subTest(cases=cases), tempfile.TemporaryDirectory() as work:
                if cases[-1][2] == "crashed":  # a GoogleTest program that wrote no report
                    tree = self.make_tree(work, "native", cases, {"unit": clean})
                    os.remove(os.path.join(tree, "results", "unit.xml"))
                else:
                    tree = self.make_tree(work, "native", cases, reports)
                failures = os.path.join(work, "failures")
                result = run("summarize_results.py", "--failures", failures, tree)
                self.assertEqual(result.stdout.splitlines()[-1], "Summary: " + line)
                self.assertEqual(result.returncode, 0 if " 0 failed" in line else 1)
                found = set(os.listdir(failures)) if os.path.isdir(failures) else set()
                self.assertEqual(found, folders)
                if "S.Bad" in folders:
                    with open(os.path.join(failures, "S.Bad", "output.txt")) as f:
                        self.assertIn("boom", f.read())

    def test_missing_tree_report_and_failed_checks_fail(self):
        with tempfile.TemporaryDirectory() as work:
            checks = os.path.join(work, "checks.tsv")
            with open(checks, "w") as f:
                f.write("printer\tfailed\tno scheduler\nprefix fonts\tpassed\t\n")
            os.makedirs(os.path.join(work, "win"))
            result = run("summarize_results.py", "--failures", os.path.join(work, "f"),
                         "--checks", checks, os.path.join(work, "win"))
            self.assertEqual(result.stdout.splitlines()[-1], "Summary: 1 passed, 2 failed, 0 skipped")
            self.assertEqual(result.returncode, 1)


class CheckGuide(unittest.TestCase):
    def test_every_picture_is_listed_kept_and_made_by_the_run(self):
        # (pictures the page shows, pictures kept beside it, screenshots of the run, problems)
        table = [
            (["a.png"], ["a.png"], ["a.bmp"], []),
            (["a.png", "b.png"], ["a.png", "b.png"], ["a.bmp"], ["b.png: the run made no b.bmp"]),
            (["a.png"], [], ["a.bmp"], ["a.png: missing beside the guide"]),
            (["c.png"], ["c.png"], [], ["c.png: not listed in pictures.txt"]),
            ([], [], [], ["the guide shows no picture"]),
        ]
        for shown, kept, made, problems in table:
            with self.subTest(shown=shown, kept=kept, made=made), tempfile.TemporaryDirectory() as work:
                guide, artifacts = os.path.join(work, "guide"), os.path.join(work, "artifacts")
                os.makedirs(guide)
                os.makedirs(artifacts)
                with open(os.path.join(guide, "Tovela-guide.html"), "w", encoding="utf-8") as page:
                    page.write("".join(f'<p><img src="{name}" alt="x"></p>' for name in shown))
                with open(os.path.join(guide, "pictures.txt"), "w", encoding="utf-8") as listed:
                    listed.write("# picture artifact\na.png a.bmp\nb.png b.bmp\n")
                for folder, names in ((guide, kept), (artifacts, made)):
                    for name in names:
                        open(os.path.join(folder, name), "w").close()
                result = run("check_guide.py", artifacts, guide)
                lines = result.stdout.splitlines()
                self.assertEqual(len(lines), len(problems), result.stdout)
                for line, problem in zip(lines, problems):
                    self.assertTrue(line.startswith(problem), line)
                self.assertEqual(result.returncode, 1 if problems else 0)


if __name__ == "__main__":
    unittest.main()
