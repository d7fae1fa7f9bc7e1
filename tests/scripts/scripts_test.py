"""Checks of the shell scripts behind the two commands, without Wine: the test printer's port and
filter in a folder whose path has a space, Japanese characters, "é" and a quote; the Wine prefix
lock (free while a program the set-up started still runs) and an interrupt during the set-up;
run.sh's install folder and its display check. Wine itself is replaced by small stand-ins."""
import os
import signal
import subprocess
import tempfile
import textwrap
import time
import unittest

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
SETUP_D = os.path.join(ROOT, "tests", "setup.d")
ODD_FOLDER = os.path.join("a b", "記録", "jo'sé")

# Stand-ins for Wine's commands. wineboot leaves a "server" process (started as a real wineserver
# is, inheriting every open descriptor) and, with HANG set, keeps working for a minute;
# "wineserver -k" stops every process they started; "wine reg query" lists the font substitutes
# as wine-env.sh asks for them (code page 932).
FAKE_WINE = {
    "wineboot": """\
        echo $$ >>"$FAKE/pids"
        sleep 300 &
        echo $! >>"$FAKE/pids"
        echo half >"$WINEPREFIX/system.reg"
        [ -z "${HANG:-}" ] || sleep 60
        """,
    "wineserver": """\
        echo "wineserver $*" >>"$FAKE/calls"
        if [ "$1" = -k ] && [ -f "$FAKE/pids" ]; then kill $(cat "$FAKE/pids") 2>/dev/null; fi
        exit 0
        """,
    "wine": """\
        if [ "$1" = reg ]; then
          # With REG_FAILS=N the first N queries fail as a server still starting can make them.
          echo x >>"$FAKE/queries"
          if [ "$(wc -l <"$FAKE/queries")" -le "${REG_FAILS:-0}" ]; then
            echo "err:reg: no server" >&2
            exit 5
          fi
          source "$TOVELA_ROOT/scripts/wine-env.sh"
          printf '%s\\r\\n' "$TOVELA_FONT_SUBSTITUTES_KEY"
          for pair in "${TOVELA_FONT_SUBSTITUTES[@]}"; do
            printf '    %s    REG_SZ    %s\\r\\n' "${pair%%=*}" "${pair#*=}"
          done | iconv -f UTF-8 -t CP932
        fi
        exit 0
        """,
}


class PrinterPort(unittest.TestCase):
    PAGE = "%!PS-Adobe-3.0\n%%Title: Tovela\n%%Pages: 1\n0 0 moveto 100 100 lineto stroke showpage\n"

    def port(self, filter_path, out, log):
        result = subprocess.run(
            ["bash", "-c", 'TOVELA_PDF_PRINTER_SETUP=0 source "$0/pdf-printer.sh" && '
             'tovela_pdf_printer_port "$1" "$2" "$3"', SETUP_D, filter_path, out, log],
            capture_output=True, text=True)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertTrue(result.stdout.startswith("|"), result.stdout)
        return result.stdout[1:]

    def test_jobs_become_pdfs_or_failure_notes_in_any_folder(self):
        with tempfile.TemporaryDirectory() as work:
            folder = os.path.join(work, ODD_FOLDER)
            out, log = os.path.join(folder, "pdf"), os.path.join(folder, "filter.log")
            os.makedirs(out)
            broken = os.path.join(folder, "filter")
            with open(os.path.join(SETUP_D, "pdf-printer-filter")) as f, open(broken, "w") as g:
                g.write(f.read())  # a copy without the execute bit
            # (filter, job, the files the job leaves, a text the note must hold)
            table = [
                (os.path.join(SETUP_D, "pdf-printer-filter"), self.PAGE, "Tovela-job_1.pdf", None),
                (os.path.join(SETUP_D, "pdf-printer-filter"), "", "job_2.failed", "empty"),
                # (a job far larger than a pipe holds: it must still be read to its end)
                (broken, self.PAGE + ("%" + "x" * 99 + "\n") * 10000, ".failed",
                 "exit status 126; log: " + log),
            ]
            for filter_path, job, leaves, note in table:
                with self.subTest(leaves=leaves):
                    before = set(os.listdir(out))
                    run = subprocess.Popen(["/bin/sh", "-c", self.port(filter_path, out, log)],
                                           stdin=subprocess.PIPE)
                    try:
                        run.stdin.write(job.encode())
                        run.stdin.close()
                    except BrokenPipeError:
                        self.fail("the port stopped reading the job (Wine would hang)")
                    run.wait(timeout=120)
                    new = [n for n in set(os.listdir(out)) - before if not n.startswith(".")]
                    self.assertEqual(len(new), 1, new)
                    self.assertTrue(new[0].endswith(leaves), new)
                    with open(os.path.join(out, new[0]), "rb") as f:
                        body = f.read()
                    if note is None:
                        self.assertTrue(body.startswith(b"%PDF"))
                    else:
                        self.assertIn(note, body.decode())


class FakeWine(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.mkdtemp()
        self.fake = os.path.join(self.work, "fake")
        os.makedirs(self.fake)
        for name, body in FAKE_WINE.items():
            path = os.path.join(self.fake, name)
            with open(path, "w") as f:
                f.write("#!/bin/bash\n" + textwrap.dedent(body))
            os.chmod(path, 0o755)
        self.prefix = os.path.join(self.work, ODD_FOLDER, "prefix")
        self.env = {"PATH": self.fake + ":" + os.environ["PATH"], "FAKE": self.fake,
                    "TOVELA_ROOT": ROOT}

    def tearDown(self):
        subprocess.run(["bash", "-c", '[ -f "$1/pids" ] && kill $(cat "$1/pids") 2>/dev/null; '
                        'rm -rf "$0"', self.work, self.fake])

    def calls(self):
        path = os.path.join(self.fake, "calls")
        if not os.path.exists(path):
            return ""
        with open(path) as f:
            return f.read()

    def test_the_lock_is_free_while_a_program_of_the_set_up_still_runs(self):
        made = subprocess.run(["bash", "-c", 'source "$0/scripts/wine-env.sh" && tovela_prefix "$1"',
                               ROOT, self.prefix], capture_output=True, text=True,
                              env={**os.environ, **self.env}, timeout=60)
        self.assertEqual(made.returncode, 0, made.stderr)
        self.assertTrue(os.path.exists(os.path.join(self.prefix, ".tovela-ready")))
        with open(os.path.join(self.fake, "pids")) as f:
            server = int(f.read().split()[-1])
        os.kill(server, 0)  # still running
        free = subprocess.run(["flock", "-n", self.prefix + ".lock", "true"])
        self.assertEqual(free.returncode, 0, "the prefix lock is held by the set-up's server")

    def test_the_check_waits_for_a_query_that_fails_and_says_what_reg_printed(self):
        for fails, wait, ok in ((2, "60", True), (99, "0", False)):
            self.tearDown()
            self.setUp()
            made = subprocess.run(["bash", "-c", 'source "$0/scripts/wine-env.sh" && tovela_prefix "$1"',
                                   ROOT, self.prefix], capture_output=True, text=True, timeout=60,
                                  env={**os.environ, **self.env, "REG_FAILS": str(fails),
                                       "TOVELA_REG_WAIT": wait})
            self.assertEqual(made.returncode == 0, ok, made.stderr)
            self.assertEqual(os.path.exists(os.path.join(self.prefix, ".tovela-ready")), ok)
            if not ok:
                self.assertIn("status 5 and printed: err:reg: no server", made.stderr)

    def test_an_interrupt_stops_the_set_up_removes_the_prefix_and_starts_nothing(self):
        # As a terminal's Ctrl-C does: SIGINT to the whole foreground process group.
        run = subprocess.Popen(
            ["bash", "-c", 'source "$0/scripts/wine-env.sh" && tovela_prefix "$1" && echo started',
             ROOT, self.prefix], stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True,
            env={**os.environ, **self.env, "HANG": "1"}, start_new_session=True)
        deadline = time.monotonic() + 30
        while not os.path.exists(os.path.join(self.prefix, "system.reg")):
            self.assertLess(time.monotonic(), deadline, "the set-up never began")
            time.sleep(0.05)
        os.killpg(run.pid, signal.SIGINT)
        out, err = run.communicate(timeout=20)
        self.assertNotEqual(run.returncode, 0)
        self.assertNotIn("started", out)
        self.assertFalse(os.path.exists(self.prefix), err)
        self.assertIn("wineserver -k", self.calls())


class RunFolders(unittest.TestCase):
    def run_lib(self, script, *args, **env):
        return subprocess.run(["bash", "-c", 'source "$0/scripts/run-lib.sh" && ' + script, ROOT,
                               *args],
                              capture_output=True, text=True,
                              env={k: v for k, v in {**os.environ, **env}.items() if v is not None})

    def test_the_records_never_live_in_the_clone(self):
        with tempfile.TemporaryDirectory() as home:
            clone = os.path.join(home, "Tovela")
            elsewhere = os.path.join(home, "src", "Tovela")
            data = os.path.join(home, ".local", "share", "tovela", "Tovela")
            # (clone, TOVELA_HOME, status, folder printed, a text the message must hold)
            table = [
                (elsewhere, None, 0, os.path.join(home, "Tovela"), ""),
                (clone, None, 0, data, "TOVELA_HOME"),
                (clone, os.path.join(home, "records"), 0, os.path.join(home, "records"), ""),
                (clone, os.path.join(clone, "records"), 1, "", "TOVELA_HOME"),
                (elsewhere, elsewhere + "/", 1, "", "TOVELA_HOME"),
            ]
            for clone_path, tovela_home, status, folder, said in table:
                with self.subTest(clone=clone_path, tovela_home=tovela_home):
                    result = self.run_lib('tovela_install_folder "$1"', clone_path, HOME=home,
                                          TOVELA_HOME=tovela_home, XDG_DATA_HOME=None)
                    self.assertEqual(result.returncode, status, result.stderr)
                    self.assertEqual(result.stdout.strip(), folder)
                    self.assertIn(said, result.stderr)
                    self.assertLessEqual(len(result.stderr.splitlines()), 1)

    def test_a_display_that_cannot_be_opened_is_one_clear_line(self):
        result = self.run_lib("tovela_display_usable", DISPLAY=":9731")
        self.assertEqual(result.returncode, 1)
        self.assertEqual(len(result.stderr.splitlines()), 1, result.stderr)
        self.assertIn("DISPLAY=:9731", result.stderr)


if __name__ == "__main__":
    unittest.main()
