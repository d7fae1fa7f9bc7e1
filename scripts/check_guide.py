"""Checks the user's guide (docs/guide/Tovela-guide.html) after a test run: every picture it
shows is listed in docs/guide/pictures.txt, is in the repository beside the guide, and its
screenshot was made by the run (so the program still has the window the picture shows). Prints
one line per problem and exits with 1 when there is any. The menu texts the guide quotes are
checked against the real menu by the end-to-end tests.

    python3 scripts/check_guide.py ARTIFACTS_FOLDER [GUIDE_FOLDER]
"""
import html.parser
import os
import sys


class Pictures(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.sources = []

    def handle_starttag(self, tag, attrs):
        if tag == "img":
            self.sources.append(dict(attrs).get("src", ""))


def problems(artifacts, guide):
    parser = Pictures()
    with open(os.path.join(guide, "Tovela-guide.html"), encoding="utf-8") as page:
        parser.feed(page.read())
    listed = {}
    with open(os.path.join(guide, "pictures.txt"), encoding="utf-8") as table:
        for line in table:
            fields = line.split()
            if fields and not fields[0].startswith("#"):
                listed[fields[0]] = fields[1]
    found = []
    if not parser.sources:
        found.append("the guide shows no picture")
    for source in parser.sources:
        if source not in listed:
            found.append(f"{source}: not listed in pictures.txt")
            continue
        if not os.path.isfile(os.path.join(guide, source)):
            found.append(f"{source}: missing beside the guide (bash scripts/guide-pictures.sh)")
        if not os.path.isfile(os.path.join(artifacts, listed[source])):
            found.append(f"{source}: the run made no {listed[source]}")
    return found


def main(argv):
    artifacts = argv[1]
    guide = argv[2] if len(argv) > 2 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "docs", "guide")
    found = problems(artifacts, guide)
    for problem in found:
        print(problem)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
