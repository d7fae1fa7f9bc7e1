#!/usr/bin/env python3
"""Adds up every test of every test tree and prints the closing summary line.

Usage: summarize_results.py --failures DIR [--checks FILE] TREE...

Each TREE is a ctest build folder whose results/ holds ctest's JUnit report (ctest-junit.xml)
and its test list (ctest-tests.json, from `ctest --show-only=json-v1`). A ctest test whose
command writes a GoogleTest XML report counts as the test cases of that report, plus one failure
when the program failed without a failed case to show for it (a crash, a sanitizer report, a
missing report); any other ctest test counts as one test. FILE holds the test command's own
checks, one "name<TAB>passed|failed<TAB>message" a line.

Every failure leaves its output in DIR/<test>/output.txt.
"""
import argparse
import json
import os
import re
import sys
import xml.etree.ElementTree as ET

from run_gtest import XML_FLAG, unix_path


def gtest_reports(tests_json):
    """{ctest test name: GoogleTest report path} from ctest's JSON test list."""
    reports = {}
    for test in tests_json.get("tests", []):
        for arg in test.get("command", []) or []:
            if arg.startswith(XML_FLAG):
                reports[test["name"]] = unix_path(arg[len(XML_FLAG):])
    return reports


def ctest_outcome(case):
    if case.find("failure") is not None or case.find("error") is not None:
        return "failed"
    if case.find("skipped") is not None or case.get("status") in ("notrun", "disabled"):
        return "skipped"
    return "passed"


def case_outcome(case):
    if case.find("failure") is not None or case.find("error") is not None:
        return "failed"
    if case.get("status") == "notrun" or case.get("result") == "skipped" or case.find("skipped") is not None:
        return "skipped"
    return "passed"


def test_output(output, name):
    """The lines GoogleTest printed for one test, from [ RUN ] to its [ FAILED ]/[ OK ]."""
    start = re.compile(r"^\[ RUN      \] " + re.escape(name) + r"$")
    end = re.compile(r"^\[ +(FAILED|OK|SKIPPED) +\] " + re.escape(name) + r" \(")
    taken, inside = [], False
    for line in output.splitlines():
        if start.match(line):
            inside, taken = True, []
        if inside:
            taken.append(line)
            if end.match(line):
                inside = False
    return "\n".join(taken)


class Tally:
    def __init__(self, failures_dir):
        self.counts = {"passed": 0, "failed": 0, "skipped": 0}
        self.failures_dir = failures_dir
        self.failed_names = []
        self.reruns = []

    def add(self, outcome, name, where, text=""):
        self.counts[outcome] += 1
        if outcome != "failed":
            return
        self.failed_names.append(f"{where}: {name}")
        folder = os.path.join(self.failures_dir, re.sub(r"[^\w.-]", "_", name))
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "output.txt"), "a", encoding="utf-8") as out:
            out.write(f"== {where}: {name}\n{text.rstrip()}\n\n")


def add_gtest_report(tally, tree, ctest_name, path, ctest_case):
    output = ctest_case.findtext("system-out") or ""
    ctest_failed = ctest_outcome(ctest_case) == "failed"
    try:
        root = ET.parse(path).getroot()
    except (OSError, ET.ParseError):
        tally.add("failed", ctest_name, tree, f"no readable GoogleTest report at {path}\n{output}")
        return
    case_failures = 0
    for suite in root.iter("testsuite"):
        for case in suite.iter("testcase"):
            name = f"{suite.get('name')}.{case.get('name')}"
            outcome = case_outcome(case)
            for note in case.iter("property"):
                if note.get("name") == "rerun":
                    tally.reruns.append(f"{tree}/{ctest_name}: {name} ({note.get('value')})")
            text = ""
            if outcome == "failed":
                case_failures += 1
                messages = [f.get("message", "") for f in case if f.tag in ("failure", "error")]
                text = "\n".join(messages) + "\n\n" + test_output(output, name)
            tally.add(outcome, name, f"{tree}/{ctest_name}", text)
    if ctest_failed and case_failures == 0:
        tally.add("failed", ctest_name, tree,
                  "the program failed although no test case failed (crash, sanitizer report or "
                  f"exit status)\n{output}")


def add_tree(tally, tree_dir):
    tree = os.path.basename(os.path.normpath(tree_dir))
    results = os.path.join(tree_dir, "results")
    try:
        junit = ET.parse(os.path.join(results, "ctest-junit.xml")).getroot()
    except (OSError, ET.ParseError):
        tally.add("failed", "ctest", tree, f"no ctest report in {results}")
        return
    try:
        with open(os.path.join(results, "ctest-tests.json"), encoding="utf-8") as listing:
            reports = gtest_reports(json.load(listing))
    except (OSError, ValueError):
        reports = {}
    for case in junit.iter("testcase"):
        name = case.get("name")
        if name in reports:
            add_gtest_report(tally, tree, name, reports[name], case)
        else:
            tally.add(ctest_outcome(case), name, tree, case.findtext("system-out") or "")


def add_checks(tally, path):
    with open(path, encoding="utf-8") as checks:
        for line in checks:
            name, outcome, message = (line.rstrip("\n").split("\t", 2) + ["", ""])[:3]
            if name:
                tally.add(outcome if outcome in tally.counts else "failed", name, "test.sh", message)


def main(argv):
    parser = argparse.ArgumentParser()
    parser.add_argument("--failures", required=True)
    parser.add_argument("--checks")
    parser.add_argument("trees", nargs="*")
    args = parser.parse_args(argv)
    tally = Tally(args.failures)
    if args.checks:
        add_checks(tally, args.checks)
    for tree in args.trees:
        add_tree(tally, tree)
    for name in tally.reruns:
        print(f"RE-RUN once {name}")
    for name in tally.failed_names:
        print(f"FAILED {name}")
    if tally.failed_names:
        print(f"(outputs under {args.failures})")
    c = tally.counts
    if sum(c.values()) == 0:
        tally.add("failed", "no tests", "summary", "no test ran")
    print(f"Summary: {c['passed']} passed, {c['failed']} failed, {c['skipped']} skipped")
    return 1 if c["failed"] else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
