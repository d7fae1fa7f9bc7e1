#!/usr/bin/env python3
"""Measures whether the native unit tests catch small faults in a portable source file.

Usage: mutation_check.py [options] FILE...

For each FILE (a path under the repository, e.g. app/records/thermal_shift.cpp) it makes one
mutant at a time from a fixed list of operators, rebuilds the native unit tests in a scratch tree
(build/mutation), runs the tests that cover the file and reports each mutant as killed (a test
failed or hung), survived (every test passed), did not compile, or equivalent (listed in
scripts/mutation-equivalent.txt as behaving like the original; not run). The operators:

  <  <->  <=     >  <->  >=     ==  <->  !=     &&  <->  ||     binary + <-> -,  += <-> -=
  an integer constant +1 and -1
  delete an `if (...) return ...;` early-out, delete a negation `!`

Comments, string and character literals, preprocessor lines, template angle brackets, `->` and
the `<<` / `>>` operators are left alone. The same file always gives the same mutants, in the
order they appear in the file.

The file is changed in place, one mutant at a time, and restored after each: also on an error,
on Ctrl-C and on SIGTERM or SIGHUP (the running build or test is stopped first). Before a
mutant is written, the original text is kept in build/mutation/in-progress.json; a run that was
killed outright is repaired by the next run (even with --list), so a mutant never stays in the
tree.

Which tests cover a file: the table COVERING_TESTS below (a GoogleTest filter), --tests for any
other file, and every unit test otherwise. The exit status is 0 when no mutant survived, 1 when
some did, 2 when the unmutated file fails its tests or the tree cannot be built, 3 when the time
limit stopped the run before every mutant was tried (and none survived so far).
"""
import argparse
import json
import os
import re
import shlex
import signal
import subprocess
import sys
import time

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
EQUIVALENT_FILE = os.path.join(ROOT, "scripts", "mutation-equivalent.txt")

# The suites that exercise each file. The file-writing suites (Backups, DataFiles, RecordsCsv,
# Saving) are left out where they never reach the file, for speed: they take most of the unit
# tests' time, and the tests run in file order, Backups among the first.
_NOT_FILES = "-Backups.*:DataFiles.*:RecordsCsv.*:Saving.*"
COVERING_TESTS = {
    "app/records/thermal_shift.cpp": "*" + _NOT_FILES,
    "app/records/statistics.cpp": "*" + _NOT_FILES,
    "app/records/sign_reading.cpp": "*" + _NOT_FILES,
    "app/chart/chart_marks.cpp": "*" + _NOT_FILES,
    "app/chart/chart_plot.cpp": "*" + _NOT_FILES,
    "app/records/data_files.cpp": "*",
    "app/records/records_csv.cpp": "RecordsCsv.*",  # nothing else reads or writes CSV
    "app/records/backups.cpp": "*",
}

# --- Reading C++ into tokens ------------------------------------------------------------------

_OPERATORS = sorted("""<<= >>= <=> ->* -> ... :: << >> <= >= == != && || ++ -- += -= *= /= %= &= |=
                       ^= { } [ ] ( ) < > ; : , . ? ! ~ + - * / % & | ^ = #""".split(),
                    key=len, reverse=True)
_NUMBER = re.compile(r"\.?[0-9](?:[eEpP][+-]|'[0-9a-zA-Z_]|[0-9a-zA-Z_.])*")
_IDENT = re.compile(r"[A-Za-z_][A-Za-z_0-9]*")
_INTEGER = re.compile(r"^(0[xX][0-9a-fA-F']+|[1-9][0-9']*|0)([uUlLzZ]*)$")
_STRING_PREFIX = re.compile(r'(?:u8|u|U|L)?R?(?=["\'])')
_KEYWORDS_BEFORE_UNARY = {"return", "case", "throw", "co_return", "co_yield", "else", "do", "and",
                          "or", "not", "sizeof"}


class Token:
    __slots__ = ("kind", "text", "start", "end", "line")

    def __init__(self, kind, text, start, end, line):
        self.kind, self.text, self.start, self.end, self.line = kind, text, start, end, line

    def __repr__(self):
        return f"{self.kind}:{self.text}@{self.line}"


def tokenize(source):
    """The code tokens of C++ text: "ident", "number", "string" (string and character literals)
    and "op"; comments and preprocessor lines give none."""
    tokens, i, line, n = [], 0, 1, len(source)
    at_line_start = True
    while i < n:
        c = source[i]
        if c == "\n":
            line, i, at_line_start = line + 1, i + 1, True
            continue
        if c in " \t\r\f\v":
            i += 1
            continue
        if c == "#" and at_line_start:  # a preprocessor line, with its continuations
            while i < n and source[i] != "\n":
                if source[i] == "\\" and source[i + 1:i + 2] == "\n":
                    line += 1
                    i += 1
                i += 1
            continue
        at_line_start = False
        if source.startswith("//", i):
            while i < n and source[i] != "\n":
                i += 1
            continue
        if source.startswith("/*", i):
            end = source.find("*/", i + 2)
            end = n if end < 0 else end + 2
            line += source.count("\n", i, end)
            i = end
            continue
        prefix = _STRING_PREFIX.match(source, i)
        if prefix and (prefix.end() > i or c in "\"'"):
            start, j = i, prefix.end()
            if source[prefix.start():j].endswith("R") and source[j] == '"':
                delimiter = source[j + 1:source.index("(", j)]
                end = source.index(")" + delimiter + '"', j) + len(delimiter) + 2
            else:
                quote, end = source[j], j + 1
                while end < n and source[end] != quote and source[end] != "\n":
                    end += 2 if source[end] == "\\" else 1
                end += 1
            tokens.append(Token("string", source[start:end], start, end, line))
            line += source.count("\n", start, end)
            i = end
            continue
        m = _NUMBER.match(source, i)
        if m:
            tokens.append(Token("number", m.group(), i, m.end(), line))
            i = m.end()
            continue
        m = _IDENT.match(source, i)
        if m:
            tokens.append(Token("ident", m.group(), i, m.end(), line))
            i = m.end()
            continue
        op = next((o for o in _OPERATORS if source.startswith(o, i)), c)
        tokens.append(Token("op", op, i, i + len(op), line))
        i += len(op)
    return tokens


def template_brackets(tokens):
    """Indexes of the tokens that are template angle brackets, not comparisons: a `<` after a
    name (or `template`, `operator`) whose matching `>` follows with nothing between that a
    comparison's operands would hold (no `.`, `;`, `?`, `&&`, `=`, arithmetic, braces...)."""
    allowed = {"::", ",", "*", "&", "(", ")", "[", "]", "...", "<", ">", ">>"}
    brackets = set()
    for k, tok in enumerate(tokens):
        if tok.text != "<" or k == 0 or tokens[k - 1].kind != "ident":
            continue
        depth, parens, j = 1, 0, k + 1
        while j < len(tokens):
            t = tokens[j]
            if t.kind == "op" and t.text not in allowed:
                break
            if t.text == "(":
                parens += 1
            elif t.text == ")":
                parens -= 1
                if parens < 0:
                    break
            elif t.text == "<":
                depth += 1
            elif t.text in (">", ">>") and parens == 0:
                depth -= len(t.text)
                if depth <= 0:
                    brackets.update((k, j))
                    break
            j += 1
    return brackets


# --- Mutants -----------------------------------------------------------------------------------

class Mutant:
    """One change: replace source[start:end] with `new`. `line` is the first changed line."""

    def __init__(self, start, end, new, line, change):
        self.start, self.end, self.new, self.line, self.change = start, end, new, line, change
        self.number = 0
        self.line_text = ""

    def apply(self, source):
        return source[:self.start] + self.new + source[self.end:]


_SWAPS = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "==", "&&": "||",
          "||": "&&", "+": "-", "-": "+", "+=": "-=", "-=": "+="}


def _is_operand_end(tok):
    """True for a token after which `+` or `-` is binary (it ends an operand)."""
    if tok.kind == "ident":
        return tok.text not in _KEYWORDS_BEFORE_UNARY
    return tok.kind == "number" or tok.text in (")", "]")


def _early_outs(tokens, source):
    """(start, end, first line) of each `if (...) return ...;` (or `{ return ...; }`) with no
    `else` after it."""
    found = []
    for k, tok in enumerate(tokens):
        if tok.text != "if" or tok.kind != "ident" or k + 1 >= len(tokens) or tokens[k + 1].text != "(":
            continue
        if k > 0 and tokens[k - 1].text == "else":
            continue
        depth, j = 0, k + 1
        while j < len(tokens):
            depth += {"(": 1, ")": -1}.get(tokens[j].text, 0)
            if depth == 0:
                break
            j += 1
        braced = j + 1 < len(tokens) and tokens[j + 1].text == "{"
        body = j + 2 if braced else j + 1
        if body >= len(tokens) or tokens[body].text != "return":
            continue
        end = body
        while end < len(tokens) and tokens[end].text != ";":
            end += 1
        if braced:
            end += 1
            if end >= len(tokens) or tokens[end].text != "}":
                continue
        if end + 1 < len(tokens) and tokens[end + 1].text == "else":
            continue
        found.append((tok.start, tokens[end].end, tok.line))
    return found


def _in_function(tokens, name):
    """The index range of the tokens of the body of function `name`'s definition."""
    for k, tok in enumerate(tokens):
        if tok.text != name or k + 1 >= len(tokens) or tokens[k + 1].text != "(":
            continue
        j, depth = k + 1, 0
        while j < len(tokens):  # the parameter list, then the body's opening brace
            depth += {"(": 1, ")": -1}.get(tokens[j].text, 0)
            if depth == 0:
                break
            j += 1
        j += 1
        while j < len(tokens) and tokens[j].text not in ("{", ";"):
            j += 1
        if j >= len(tokens) or tokens[j].text != "{":
            continue
        first, depth = j, 0
        while j < len(tokens):
            depth += {"{": 1, "}": -1}.get(tokens[j].text, 0)
            if depth == 0:
                return first, j
            j += 1
    raise SystemExit(f"mutation_check: no definition of {name} found")


def _integer_mutants(tok):
    m = _INTEGER.match(tok.text)
    if not m:
        return []
    digits, suffix = m.group(1).replace("'", ""), m.group(2)
    hexa = digits.lower().startswith("0x")
    value = int(digits, 16 if hexa else 10)
    out = []
    for delta in (1, -1):
        v = value + delta
        text = (("-" if v < 0 else "") + hex(abs(v))) if hexa else str(v)
        out.append(text + suffix)
    return out


def mutants_of(source, function=None):
    """Every mutant of the source, in the order of the text; numbered from 1."""
    tokens = tokenize(source)
    lo, hi = _in_function(tokens, function) if function else (0, len(tokens) - 1)
    brackets = template_brackets(tokens)
    found = []
    for k in range(lo, hi + 1):
        tok = tokens[k]
        prev = tokens[k - 1] if k > 0 else None
        if tok.kind == "number":
            for new in _integer_mutants(tok):
                found.append(Mutant(tok.start, tok.end, new, tok.line, f"{tok.text} -> {new}"))
            continue
        if tok.kind != "op" or k in brackets or (prev is not None and prev.text == "operator"):
            continue
        if tok.text == "!":
            found.append(Mutant(tok.start, tok.end, "", tok.line, "delete !"))
        elif tok.text in _SWAPS:
            after = tokens[k + 1] if k + 1 < len(tokens) else None
            if tok.text in ("+", "-") and (prev is None or not _is_operand_end(prev)):
                continue  # a sign
            if tok.text in ("+", "+=") and after is not None and after.kind == "string":
                continue  # joining or appending text
            found.append(Mutant(tok.start, tok.end, _SWAPS[tok.text], tok.line,
                                f"{tok.text} -> {_SWAPS[tok.text]}"))
    lo_pos, hi_pos = tokens[lo].start, tokens[hi].end
    for start, end, line in _early_outs(tokens, source):
        if lo_pos <= start and end <= hi_pos:
            # Keep the line breaks so the compiler's line numbers still match the file's.
            found.append(Mutant(start, end, "\n" * source.count("\n", start, end), line,
                                "delete return early-out"))
    found.sort(key=lambda m: (m.start, m.change.startswith("delete return")))
    lines = source.split("\n")
    same = {}  # equal changes on one line, told apart by their order on it
    for number, m in enumerate(found, 1):
        m.number = number
        m.line_text = lines[m.line - 1].strip()
        same.setdefault((m.line, m.change), []).append(m)
    for group in same.values():
        if len(group) > 1:
            for ordinal, m in enumerate(group, 1):
                m.change = f"{m.change} #{ordinal}"
    return found


# --- Equivalent mutants --------------------------------------------------------------------------

def read_equivalents(path):
    """{(file, line text, change): reason} from blocks of "file:", "line:", "change:", "why:"
    lines separated by blank lines; "#" lines are comments."""
    entries, block = {}, {}

    def close():
        if block:
            missing = {"file", "line", "change", "why"} - block.keys()
            if missing:
                raise SystemExit(f"{path}: a block without {', '.join(sorted(missing))}: {block}")
            entries[(block["file"], block["line"], block["change"])] = block["why"]
            block.clear()

    if not os.path.exists(path):
        return entries
    with open(path, encoding="utf-8") as f:
        for raw in f:
            text = raw.rstrip("\n")
            if not text.strip():
                close()
            elif not text.startswith("#"):
                key, _, value = text.partition(":")
                block[key.strip()] = value.strip()
    close()
    return entries


def equivalent_block(relpath, m, why="..."):
    return f"file: {relpath}\nline: {m.line_text}\nchange: {m.change}\nwhy: {why}\n"


# --- Changing the file safely ------------------------------------------------------------------

class Stopped(Exception):
    """SIGTERM or SIGHUP: stop as Ctrl-C does."""


def _stop(signum, frame):
    raise Stopped(signal.Signals(signum).name)


class Journal:
    """The original text of the file being mutated, kept on disk while a mutant is in it."""

    def __init__(self, path):
        self.path = path

    def repair(self):
        """Puts back a file a killed run left mutated; returns its path or None."""
        if not os.path.exists(self.path):
            return None
        with open(self.path, encoding="utf-8") as f:
            kept = json.load(f)
        target = kept["file"]
        repaired = None
        if os.path.exists(target):
            with open(target, encoding="utf-8", newline="") as f:
                now = f.read()
            if now == kept["mutant"]:
                write_text(target, kept["original"])
                repaired = target
        os.remove(self.path)
        return repaired

    def write(self, target, original, mutant):
        os.makedirs(os.path.dirname(self.path), exist_ok=True)
        with open(self.path + ".tmp", "w", encoding="utf-8") as f:
            json.dump({"file": target, "original": original, "mutant": mutant}, f)
        os.replace(self.path + ".tmp", self.path)

    def clear(self):
        if os.path.exists(self.path):
            os.remove(self.path)


def write_text(path, text):
    with open(path, "w", encoding="utf-8", newline="") as f:
        f.write(text)


class MutantInPlace:
    """Writes the mutant into the file for the `with` block and puts the original back however
    the block ends."""

    def __init__(self, path, original, mutant, journal):
        self.path, self.original, self.mutant, self.journal = path, original, mutant, journal

    def __enter__(self):
        self.journal.write(self.path, self.original, self.mutant)
        write_text(self.path, self.mutant)
        return self

    def __exit__(self, *exc):
        write_text(self.path, self.original)
        self.journal.clear()
        return False


def run_step(command, timeout):
    """Runs a shell command in its own process group; (status, output), status None on timeout.
    An exception here (Ctrl-C, SIGTERM) stops the whole group before it goes on."""
    proc = subprocess.Popen(command, shell=True, cwd=ROOT, stdout=subprocess.PIPE,
                            stderr=subprocess.STDOUT, text=True, errors="replace",
                            start_new_session=True)
    try:
        out, _ = proc.communicate(timeout=timeout)
        return proc.returncode, out
    except subprocess.TimeoutExpired:
        _kill_group(proc)
        return None, ""
    except BaseException:
        _kill_group(proc)
        raise


def _kill_group(proc):
    try:
        os.killpg(proc.pid, signal.SIGKILL)
    except ProcessLookupError:
        pass
    proc.wait()


# --- The run -------------------------------------------------------------------------------------

def default_commands(build_dir, tests, sanitize=False):
    """The shell commands that build the unit tests in `build_dir` and run the covering ones."""
    binary = os.path.join(build_dir, "tests", "tovela_unit_tests")
    # -O1: a mutant compiles faster, and the tests take no time to speak of either way.
    configure = (f"[ -f {shlex.quote(build_dir)}/build.ninja ] || cmake -S . -B {shlex.quote(build_dir)}"
                 " -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-O1"
                 f" -DTOVELA_BENCH=OFF{' -DTOVELA_SANITIZE=ON' if sanitize else ''} >/dev/null")
    build = (f"{configure} && nice -n 10 cmake --build {shlex.quote(build_dir)}"
             " --target tovela_unit_tests -j2")
    test = (("ASAN_OPTIONS=detect_leaks=0 " if sanitize else "") + shlex.quote(binary)
            + f" --gtest_brief=1 --gtest_fail_fast --gtest_filter={shlex.quote(tests)}")
    return build, test


class Tree:
    """A build tree of the unit tests and the commands that build it and run the covering tests."""

    def __init__(self, build_cmd, test_cmd):
        self.build_cmd, self.test_cmd = build_cmd, test_cmd
        self.test_timeout = None

    def prepare(self, deadline):
        """Builds and tests the unmutated file; False (with the output shown) when that fails."""
        status, out = run_step(self.build_cmd, max(1, deadline - time.monotonic()))
        if status == 0:
            t0 = time.monotonic()
            status, out = run_step(self.test_cmd, max(1, deadline - time.monotonic()))
            # A mutant whose tests take ten times longer than these hangs: it is killed.
            self.test_timeout = max(20.0, 10 * (time.monotonic() - t0))
        if status != 0:
            print(out[-4000:])
            print("the unmutated file does not build or pass its tests"
                  + (" (time limit)" if status is None else ""))
        return status == 0

    def verdict(self, path, original, m, journal, deadline):
        """killed, survived, did not compile, or not run (the time limit came first)."""
        with MutantInPlace(path, original, m.apply(original), journal):
            status, _ = run_step(self.build_cmd, max(0.1, deadline - time.monotonic()))
            if status is None:
                return "not run"
            if status != 0:
                return "did not compile"
            left = deadline - time.monotonic()
            status, _ = run_step(self.test_cmd, min(self.test_timeout, max(0.1, left)))
            if status is None and left < self.test_timeout:
                return "not run"
            return "survived" if status == 0 else "killed"


def check_file(relpath, args, equivalents, deadline, result):
    """Tries every mutant of one file, filling `result` with the counts and the survivors as it
    goes (so an interrupted run still has them). The survivors are tried again with the
    sanitizers (as the test command's sanitizer tree runs the same tests), which catch a mutant
    that reads outside an array or a vector; False when the unmutated file fails."""
    path = os.path.join(ROOT, relpath)
    with open(path, encoding="utf-8", newline="") as f:
        original = f.read()
    mutants = mutants_of(original, args.function)
    total = len(mutants)
    if args.ids:
        mutants = [m for m in mutants if m.number in args.ids]
    tests = args.tests or COVERING_TESTS.get(relpath, "*")
    build_cmd, test_cmd = default_commands(args.build_dir, tests)
    plain = Tree(args.build_cmd or build_cmd, args.test_cmd or test_cmd)
    journal = Journal(os.path.join(args.build_dir, "in-progress.json"))
    counts = {"killed": 0, "survived": 0, "equivalent": 0, "did not compile": 0, "not run": 0}
    survivors, used = [], set()
    started = time.monotonic()
    result.update(file=relpath, mutants=len(mutants), seconds=0, survivors=survivors, **counts)
    print(f"== {relpath}: {len(mutants)} mutants, tests {tests}", flush=True)

    def report(m, verdict):
        if args.verbose or verdict == "survived":
            print(f"[{m.number}/{total}] {verdict:15} {relpath}:{m.line}: {m.change}"
                  f"    {m.line_text}", flush=True)

    if not plain.prepare(deadline):
        return False
    for m in mutants:
        key = (relpath, m.line_text, m.change)
        if key in equivalents:
            used.add(key)
            result["equivalent"] += 1
            continue
        if time.monotonic() >= deadline:
            result["not run"] += 1
            continue
        verdict = plain.verdict(path, original, m, journal, deadline)
        result[verdict] += 1
        result["seconds"] = time.monotonic() - started
        if verdict == "survived":
            survivors.append(m)
        report(m, verdict)

    sanitizing = survivors and not args.no_sanitize and not args.build_cmd
    if sanitizing and time.monotonic() < deadline:
        print(f"== {relpath}: the {len(survivors)} survivors again with the sanitizers", flush=True)
        sanitized = Tree(*default_commands(args.build_dir + "-sanitize", tests, sanitize=True))
        for m in list(survivors) if sanitized.prepare(deadline) else []:
            if time.monotonic() < deadline and \
                    sanitized.verdict(path, original, m, journal, deadline) == "killed":
                survivors.remove(m)
                result["survived"] -= 1
                result["killed"] += 1
                report(m, "killed (sanitizers)")

    for key in equivalents:
        if key[0] == relpath and key not in used and not args.ids and not args.function:
            print(f"{relpath}: a listed equivalent mutant no longer exists: {key[1]}  ({key[2]})")
    result["seconds"] = time.monotonic() - started
    return True


def summary_line(r):
    scored = r["killed"] + r["survived"]
    share = f"{100 * r['killed'] / scored:.0f}% killed" if scored else "nothing scored"
    return (f"{r['file']}: {r['mutants']} mutants, {r['killed']} killed, {r['equivalent']} "
            f"equivalent, {r['survived']} survived, {r['did not compile']} did not compile, "
            f"{r['not run']} not run ({share} of the non-equivalent ones; {r['seconds']:.0f} s)")


def parse_args(argv):
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("files", nargs="+", help="portable source files, relative to the repository")
    p.add_argument("--tests", help="GoogleTest filter of the covering tests (default: the table)")
    p.add_argument("--function", help="only the mutants inside this function's body")
    p.add_argument("--ids", type=lambda s: {int(x) for x in s.split(",")},
                   help="only these mutant numbers (as --list shows them), e.g. 3,17")
    p.add_argument("--list", action="store_true", help="list the mutants; build and run nothing")
    p.add_argument("--time-limit", type=float, default=3600, help="seconds for the whole run")
    p.add_argument("--build-dir", default=os.path.join(ROOT, "build", "mutation"))
    p.add_argument("--equivalent", default=EQUIVALENT_FILE, help="the list of equivalent mutants")
    p.add_argument("--build-cmd", help="shell command that builds the tests (default: cmake)")
    p.add_argument("--test-cmd", help="shell command that runs the covering tests")
    p.add_argument("--no-sanitize", action="store_true",
                   help="do not try the survivors again with the sanitizers")
    p.add_argument("--verbose", action="store_true", help="print every mutant's verdict")
    return p.parse_args(argv)


def main(argv):
    args = parse_args(argv)
    args.build_dir = os.path.abspath(args.build_dir)
    for name in ("SIGTERM", "SIGHUP"):
        signal.signal(getattr(signal, name), _stop)
    repaired = Journal(os.path.join(args.build_dir, "in-progress.json")).repair()
    if repaired:
        print(f"restored {repaired}, which an interrupted run had left mutated")
    files = [os.path.relpath(os.path.abspath(f), ROOT) for f in args.files]
    equivalents = read_equivalents(args.equivalent)
    if args.list:
        for relpath in files:
            with open(os.path.join(ROOT, relpath), encoding="utf-8", newline="") as f:
                for m in mutants_of(f.read(), args.function):
                    mark = "  (equivalent)" if (relpath, m.line_text, m.change) in equivalents else ""
                    print(f"{m.number:4} {relpath}:{m.line}: {m.change}{mark}    {m.line_text}")
        return 0
    deadline = time.monotonic() + args.time_limit
    results = []
    try:
        for relpath in files:
            results.append({})
            if not check_file(relpath, args, equivalents, deadline, results[-1]):
                return 2
    except (KeyboardInterrupt, Stopped) as e:
        print(f"\nstopped ({e.__class__.__name__} {e}); the files are as they were; so far:")
        for r in results:
            if r:
                print(summary_line(r))
        return 130
    print()
    for r in results:
        print(summary_line(r))
        for m in r["survivors"]:
            print(f"  survived {r['file']}:{m.line}: {m.change}    {m.line_text}")
    if any(r["survivors"] for r in results):
        print(f"\nA survivor a test should catch needs a test; one that behaves like the original"
              f" goes into {os.path.relpath(args.equivalent, ROOT)} as a block:\n")
        m = next(m for r in results for m in r["survivors"])
        print(equivalent_block(next(r["file"] for r in results if m in r["survivors"]), m))
        return 1
    return 3 if any(r["not run"] for r in results) else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
