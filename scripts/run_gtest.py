#!/usr/bin/env python3
"""Runs one GoogleTest program and runs again, once, every failed test whose calendar day changed
while it ran (a test that reads "today" on both sides of midnight compares two different days).

Usage: run_gtest.py COMMAND... --gtest_output=xml:REPORT ...
The re-run's result replaces the first one in REPORT, marked with the property "rerun"; the exit
status is then that of the merged report. Without re-runs the command's own status passes through.

The program writes its report to an ASCII path in a folder of this run's own, and the report is
then moved to REPORT: a Windows program under a Japanese locale opens a narrow path in code page
932, which has no "é" (and would write the report somewhere else).
"""
import datetime
import os
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

XML_FLAG = "--gtest_output=xml:"
RERUN_NOTE = "the calendar day changed while it ran"


def unix_path(path):
    """A report path as the Windows side was given it ("Z:/a/b") -> "/a/b"."""
    if len(path) > 2 and path[1] == ":" and path[0] in "Zz":
        path = path[2:]
    return path.replace("\\", "/")


def span(case):
    """(start, end) of a test case from its report, or None when the report lacks them."""
    try:
        start = datetime.datetime.fromisoformat(case.get("timestamp", ""))
        return start, start + datetime.timedelta(seconds=float(case.get("time", "0")))
    except ValueError:
        return None


def failed(case):
    return case.find("failure") is not None or case.find("error") is not None


def day_changed_failures(root):
    """{"Suite.Name": (first day, last day)} of the failed tests that ran across midnight."""
    found = {}
    for suite in root.iter("testsuite"):
        for case in suite.iter("testcase"):
            times = span(case)
            if failed(case) and times and times[0].date() != times[1].date():
                found[f"{suite.get('name')}.{case.get('name')}"] = (times[0].date(), times[1].date())
    return found


def recount(root):
    """Keeps the failure counts of the suites and the report in line with their test cases."""
    total = 0
    for suite in root.iter("testsuite"):
        count = sum(1 for case in suite.iter("testcase") if failed(case))
        suite.set("failures", str(count))
        total += count
    root.set("failures", str(total))
    return total


def ascii_folder():
    """A new folder of this run's own whose path is plain ASCII."""
    parent = tempfile.gettempdir()
    if not parent.isascii():
        parent = "/tmp"
    return tempfile.mkdtemp(prefix="tovela-gtest-", dir=parent)


def run_reporting(command, at, written, report):
    """Runs `command` with its report flag (at index `at`) pointing at a fresh ASCII path, then
    moves the report it wrote to `report`. Returns the exit status."""
    work = ascii_folder()
    try:
        drive = "Z:" if written[:2] in ("Z:", "z:") else ""
        own = os.path.join(work, "report.xml")
        command = list(command)
        command[at] = XML_FLAG + drive + own
        status = subprocess.call(command)
        if os.path.exists(own):
            os.makedirs(os.path.dirname(os.path.abspath(report)), exist_ok=True)
            shutil.move(own, report)
        return status
    finally:
        shutil.rmtree(work, ignore_errors=True)


def main(argv):
    command = list(argv)
    at = next((i for i, arg in enumerate(command) if arg.startswith(XML_FLAG)), None)
    if at is None:
        return subprocess.call(command)
    written = command[at][len(XML_FLAG):]
    report = unix_path(written)
    # A report left by an earlier run must not stand for this one.
    if os.path.exists(report):
        os.remove(report)
    status = run_reporting(command, at, written, report)
    try:
        tree = ET.parse(report)
    except (OSError, ET.ParseError):
        return status
    again = day_changed_failures(tree.getroot())
    if not again:
        return status

    for name, (first, last) in sorted(again.items()):
        print(f"[ RE-RUN   ] {name} once: {RERUN_NOTE} ({first} -> {last})", flush=True)
    rerun_command = [arg for arg in command if not arg.startswith("--gtest_filter=")]
    rerun_at = rerun_command.index(command[at])
    rerun_command.append("--gtest_filter=" + ":".join(sorted(again)))
    if os.path.exists(report + ".rerun.xml"):
        os.remove(report + ".rerun.xml")
    rerun_status = run_reporting(rerun_command, rerun_at, written, report + ".rerun.xml")
    try:
        rerun = ET.parse(report + ".rerun.xml").getroot()
    except (OSError, ET.ParseError):
        print(f"[ RE-RUN   ] no report from the re-run (exit status {rerun_status})", flush=True)
        return status or 1

    replacements = {}
    for suite in rerun.iter("testsuite"):
        for case in suite.iter("testcase"):
            replacements[(suite.get("name"), case.get("name"))] = case
    for suite in tree.getroot().iter("testsuite"):
        for index, case in enumerate(list(suite)):
            new = replacements.get((suite.get("name"), case.get("name")))
            if case.tag != "testcase" or new is None:
                continue
            properties = new.find("properties")
            if properties is None:
                properties = ET.SubElement(new, "properties")
            ET.SubElement(properties, "property", name="rerun", value=RERUN_NOTE)
            suite.remove(case)
            suite.insert(index, new)
    failures = recount(tree.getroot())
    tree.write(report, encoding="UTF-8", xml_declaration=True)
    return 1 if failures or rerun_status else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
