#!/usr/bin/env python3
"""Kills the app with SIGKILL at random moments while keys are typed into it, and starts it
again, 100 times. After every kill the store must pass SQLite's integrity check, hold exactly
the history steps that the keys handled before the kill completed (none lost, none made up),
and hold a calculation that was on the display at most a second before the kill.

The keys go in through the app's test key feed (standard input, one key a line), which also
says when each key has been handled and when an idle calculation is being saved. What the
display showed after each key comes from quillet-cli, which drives the same engine, run over a
copy of the store as it was when the app started."""

import os
import queue
import random
import shutil
import signal
import select
import sqlite3
import subprocess
import sys
import tempfile
import threading
import time

APP = os.environ["QUILLET_APP"]
CLI = os.environ["QUILLET_CLI"]
RUNS = int(os.environ.get("QUILLET_KILL_RUNS", "100"))
SEED = int(os.environ.get("QUILLET_KILL_SEED", "20261207"))
# Three homes side by side: most of a run is spent waiting between keys.
CHAINS = 3
# A change is saved at the latest a second after it was made. The grace covers a save under way
# when the kill lands and the event loop running late on a loaded machine (both seen up to a few
# tenths of a second); the largest age seen is reported.
LONGEST_AGE = 1.0
GRACE = 0.6
STORE_FILES = ("Quillet.sqlite", "Quillet.sqlite-wal", "Quillet.sqlite-journal")

# (app key, quillet-cli token, weight)
KEYS = [(str(d), str(d), 6) for d in range(10)] + [
    ("+", "+", 5), ("-", "-", 4), ("*", "*", 4), ("=", "=", 6), ("Esc", "clear", 3)]


class Failure(Exception):
    pass


def snapshot(store_dir, into):
    """The store files as they are now, copied into a new folder."""
    os.makedirs(into)
    for name in STORE_FILES:
        source = os.path.join(store_dir, name)
        if os.path.exists(source):
            shutil.copy2(source, os.path.join(into, name))
    return into


def scratch_copy(snap, scratch):
    folder = tempfile.mkdtemp(dir=scratch)
    if snap:
        for name in os.listdir(snap):
            shutil.copy2(os.path.join(snap, name), os.path.join(folder, name))
    return os.path.join(folder, "Quillet.sqlite")


def value(db, key):
    if key is None:
        return None
    return db.execute('SELECT type, baseValue, realValue, style FROM GeneralValue WHERE Z_PK = ?', (key,)).fetchone()


def saved_content(path):
    """The integrity check's answer, the history and the saved calculation of a store file."""
    db = sqlite3.connect(path)
    try:
        check = db.execute("PRAGMA integrity_check").fetchone()[0]
        # The day a step was filed under is left out: a run may pass midnight.
        history = [row[:2] + tuple(value(db, key) for key in row[2:]) for row in db.execute(
            'SELECT "index", operator, generalValue1, generalValue2, generalValueResult '
            'FROM HistoryStep ORDER BY "index"')]
        states = [row[:-1] + (value(db, row[-1]),) for row in db.execute(
            "SELECT state, currError, currOperator, decimalPointDivider, exponent, hasExponent, numberBase, "
            "generalValue FROM AccumulatorState")]
        stack = [row[:-1] + (value(db, row[-1]),) for row in db.execute(
            'SELECT "index", operator, generalValue FROM OpStep ORDER BY "index"')]
        return check, history, (states, stack)
    finally:
        db.close()


class Chain:
    """One home: the app started, typed into and killed again and again."""

    def __init__(self, number, runs, scratch):
        self.random = random.Random(SEED + number)
        self.runs = runs
        self.scratch = tempfile.mkdtemp(dir=scratch)
        home = os.path.join(self.scratch, "home")
        self.env = dict(os.environ, HOME=home, XDG_DATA_HOME=os.path.join(home, "data"),
                        XDG_CONFIG_HOME=os.path.join(home, "config"), XDG_CACHE_HOME=os.path.join(home, "cache"),
                        XDG_RUNTIME_DIR=os.path.join(home, "runtime"), QT_QPA_PLATFORM="offscreen",
                        QUILLET_TEST_KEY_FEED="1")
        self.env.setdefault("ASAN_OPTIONS", "detect_leaks=0")
        os.makedirs(self.env["XDG_RUNTIME_DIR"], mode=0o700)
        self.store_dir = os.path.join(home, "data", "Quillet", "Quillet")
        self.reports = []
        self.failures = []

    def cli(self, snap, tokens):
        """The display after no key and after each key, and the store file left behind."""
        path = scratch_copy(snap, self.scratch)
        run = subprocess.run([CLI, "--store", path], input="\n".join([""] + tokens) + "\n", env=self.env,
                             capture_output=True, text=True, timeout=120)
        lines = run.stdout.splitlines()
        if len(lines) != len(tokens) + 1:
            raise Failure(f"quillet-cli answered {len(lines)} lines to {len(tokens) + 1}: {run.stderr.strip()}")
        return lines, path

    def gap(self):
        # Mostly quick typing, now and then a pause.
        if self.random.random() < 0.15:
            return self.random.uniform(0.3, 1.3)
        return self.random.uniform(0.01, 0.12)

    def type_and_kill(self):
        errors = os.path.join(self.scratch, "stderr.txt")
        with open(errors, "wb") as stderr:
            app = subprocess.Popen([APP], stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=stderr, env=self.env)
        try:
            return self.type_into(app)
        except Failure as failure:
            with open(errors, errors="replace") as text:
                raise Failure(f"{failure}; it wrote: {text.read()[-2000:]}")
        finally:
            if app.poll() is None:
                app.kill()
                app.wait()

    def type_into(self, app):
        out = app.stdout.fileno()
        pending = b""
        typed, sent, acked, saves = [], [], 0, []
        aim_at_save = self.random.random() < 0.3
        ready_at = kill_at = next_key_at = None

        def take_lines():
            nonlocal pending, acked, ready_at
            chunk = os.read(out, 4096)
            pending += chunk
            *lines, pending = pending.split(b"\n")
            for line in lines:
                if line == b"ready":
                    ready_at = time.monotonic()
                elif line.startswith(b"key "):
                    acked = int(line[4:])
                elif line in (b"saving", b"saved"):
                    saves.append(line.decode())
            return bool(chunk)

        deadline = time.monotonic() + 60
        while ready_at is None:
            if not select.select([out], [], [], max(0, deadline - time.monotonic()))[0]:
                raise Failure("the app did not start within 60 s")
            if not take_lines():
                raise Failure("the app ended before it was ready")
        kill_at = ready_at + (2.0 if aim_at_save else self.random.uniform(0.0, 2.4))
        next_key_at = ready_at + self.gap()
        while True:
            now = time.monotonic()
            if now >= kill_at or (aim_at_save and saves and saves[-1] == "saving"):
                break
            if acked == len(sent) and now >= next_key_at:
                key = self.random.choices(KEYS, weights=[k[2] for k in KEYS])[0]
                typed.append(key)
                sent.append(time.monotonic())
                app.stdin.write((key[0] + "\n").encode())
                app.stdin.flush()
                continue
            wake = kill_at if acked < len(sent) else min(kill_at, next_key_at)
            if select.select([out], [], [], max(0, wake - now))[0]:
                was = acked
                if not take_lines():
                    raise Failure("the app ended by itself")
                if acked > was:
                    next_key_at = time.monotonic() + self.gap()
        killed_at = time.monotonic()
        os.kill(app.pid, signal.SIGKILL)
        if app.wait() != -signal.SIGKILL:
            raise Failure(f"the app ended by itself with {app.returncode}")
        # What the app wrote before it died.
        while take_lines():
            pass
        app.stdin.close()
        app.stdout.close()
        return typed, sent, acked, saves, killed_at

    def check(self, before, after, typed, sent, acked, killed_at):
        tokens = [key[1] for key in typed]
        check, history, _ = saved_content(scratch_copy(after, self.scratch))
        if check != "ok":
            raise Failure(f"integrity check: {check}")
        # The steps of the keys handled before the kill are all saved; a key still on its way may
        # or may not have been handled.
        displays, handled_path = self.cli(before, tokens[:acked])
        expected = {acked: handled_path}
        if len(sent) > acked:
            more, expected[len(sent)] = self.cli(before, tokens)
            displays.append(more[-1])
        if history not in (saved_content(path)[1] for path in expected.values()):
            raise Failure(f"the history holds {len(history)} steps, not those of the {acked} keys handled")
        # Restored and saved again, a store without a saved calculation holds the initial one.
        shown, restored_path = self.cli(after, [])
        calculation = saved_content(restored_path)[2]
        # The latest moment whose display and whole calculation the store holds.
        for keys in range(len(displays) - 1, -1, -1):
            if displays[keys] != shown[0]:
                continue
            path = expected.get(keys) or self.cli(before, tokens[:keys])[1]
            if saved_content(path)[2] == calculation:
                break
        else:
            raise Failure(f"the store holds {shown[0]}, shown at no moment of the run (keys {tokens}, "
                          f"displays {displays})")
        # That display went when the next key was handled, which was after it was sent.
        age = killed_at - sent[keys] if keys < len(sent) else 0.0
        if age > LONGEST_AGE + GRACE:
            raise Failure(f"the store holds the display of {age:.2f} s before the kill")
        return age

    def run(self):
        # Each kill is checked while the app types on into the next one.
        checks = queue.Queue()
        checker = threading.Thread(target=self.check_all, args=(checks,))
        checker.start()
        before = None
        try:
            for run in range(self.runs):
                if self.failures:
                    break
                typed, sent, acked, saves, killed_at = self.type_and_kill()
                after = snapshot(self.store_dir, os.path.join(self.scratch, f"after{run}"))
                checks.put((run, before, after, typed, sent, acked, saves, killed_at))
                before = after
        except Exception as error:  # a broken run fails this test; it does not crash it
            self.failures.append(f"{type(error).__name__}: {error}")
        finally:
            checks.put(None)
            checker.join()

    def check_all(self, checks):
        while (item := checks.get()) is not None:
            run, before, after, typed, sent, acked, saves, killed_at = item
            if self.failures:
                continue
            try:
                age = self.check(before, after, typed, sent, acked, killed_at)
                self.reports.append((age, saves[-1:] == ["saving"], len(sent) > acked, "saved" in saves))
            except Exception as error:
                self.failures.append(f"run {run}: {type(error).__name__}: {error}")


def main():
    scratch = tempfile.mkdtemp(prefix="quillet_kill_")
    try:
        chains = [Chain(number, RUNS // CHAINS + (number < RUNS % CHAINS), scratch) for number in range(CHAINS)]
        threads = [threading.Thread(target=chain.run) for chain in chains]
        started = time.monotonic()
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join()
        reports = [report for chain in chains for report in chain.reports]
        failures = [failure for chain in chains for failure in chain.failures]
        for failure in failures:
            print("FAIL:", failure)
        ages = [report[0] for report in reports]
        during_save, key_on_its_way, after_save = (sum(report[n] for report in reports) for n in (1, 2, 3))
        print(f"{len(reports)} kills in {time.monotonic() - started:.0f} s: {during_save} during a save, "
              f"{key_on_its_way} with a key on its way, {after_save} after an idle save; "
              f"largest age of the saved display {max(ages, default=0):.3f} s")
        print(f"{len(reports)} passed, {len(failures)} failed")
        return 1 if failures or len(reports) != RUNS else 0
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
