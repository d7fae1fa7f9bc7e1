#!/usr/bin/env python3
"""Adds up the GoogleTest XML reports of every suite and prints the closing summary line."""
import glob
import os
import sys
import xml.etree.ElementTree as ET

passed = failed = skipped = 0
reports = 0
for folder in sys.argv[1:]:
    for path in sorted(glob.glob(os.path.join(folder, "*.xml"))):
        try:
            root = ET.parse(path).getroot()
        except ET.ParseError:
            print(f"unreadable report: {path}")
            failed += 1
            continue
        reports += 1
        for case in root.iter("testcase"):
            if case.find("failure") is not None or case.find("error") is not None:
                failed += 1
            elif case.get("status") == "notrun" or case.find("skipped") is not None:
                skipped += 1
            else:
                passed += 1

if reports == 0:
    print("no test report was written")
    failed += 1
print(f"Summary: {passed} passed, {failed} failed, {skipped} skipped")
sys.exit(1 if failed else 0)
