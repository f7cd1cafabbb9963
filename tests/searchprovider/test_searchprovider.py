#!/usr/bin/env python3
"""kelvane-search-provider as the desktop meets it: on a private session bus of
the test's own, started by D-Bus activation from the shipped service file, and
asked what GNOME Shell and KRunner ask. Papers open through a stand-in
xdg-open, the find window through a stand-in kelvane beside the program.

Needs KELVANE_SEARCH_PROVIDER (the program) and KELVANE_SOURCE_DIR (the
repository); runs on Debian's own Python, which has python3-dbus."""
import hashlib
import json
import os
import pathlib
import shutil
import sqlite3
import tempfile
import unittest

from privatebus import GNOME, KRUNNER, PrivateBus, ended, wait_until

PROGRAM = os.environ["KELVANE_SEARCH_PROVIDER"]
SOURCE = pathlib.Path(os.environ["KELVANE_SOURCE_DIR"])
STARTER_SQL = (SOURCE / "database" / "padr.sql").read_text(encoding="utf-8")
SCHEMA = STARTER_SQL[:STARTER_SQL.index("BEGIN;")]

RECORDER = """#!/bin/sh
# Stands in for {what}: records its arguments, one per line, and a blank line.
printf '%s\\n' "$@" '' >>"$KELVANE_TEST_RECORDS/{what}"
"""


def setUpModule():
    # The program beside a stand-in kelvane, as it is installed beside the
    # real one; xdg-open in the same folder, first on PATH.
    global BIN, BIN_DIR
    BIN_DIR = pathlib.Path(tempfile.mkdtemp(prefix="kelvane-provider-bin-"))
    BIN = BIN_DIR / "kelvane-search-provider"
    shutil.copy(PROGRAM, BIN)
    for what in ("kelvane", "xdg-open"):
        stub = BIN_DIR / what
        stub.write_text(RECORDER.format(what=what))
        stub.chmod(0o755)


def tearDownModule():
    shutil.rmtree(BIN_DIR, ignore_errors=True)


def make_catalogue(path, rows=None, wal=True):
    """The shipped catalogue, or the schema with `rows` (table, province,
    name, address)."""
    con = sqlite3.connect(path)
    if rows is None:
        con.executescript(STARTER_SQL)
    else:
        con.executescript(SCHEMA)
        for table, *row in rows:
            con.execute("insert into %s values (?,?,?)" % table, row)
    con.commit()
    if not wal:
        con.execute("pragma journal_mode=delete")
    con.close()


class ProviderCase(unittest.TestCase):
    def setUp(self):
        self.make_home()

    def make_home(self):
        """A home of its own: the user's catalogue's folder, and the bus's."""
        self.home = pathlib.Path(tempfile.mkdtemp(prefix="kelvane-provider-"))
        self.addCleanup(shutil.rmtree, self.home, ignore_errors=True)
        (self.home / "data" / "kelvane").mkdir(parents=True)
        self.catalogue = self.home / "data" / "kelvane" / "padr.mdb"

    def start(self, arguments=(), idle_ms=60000):
        """The program on a private bus, with the user's folders in the home,
        and the stand-ins' records in home/records."""
        self.records = self.home / "records"
        self.records.mkdir()
        bus = PrivateBus(self.home, BIN, arguments, {
            "HOME": str(self.home), "XDG_DATA_HOME": str(self.home / "data"),
            "XDG_STATE_HOME": str(self.home / "state"),
            "PATH": f"{BIN_DIR}:{os.environ['PATH']}",
            "KELVANE_TEST_RECORDS": str(self.records),
            "KELVANE_PROVIDER_IDLE_MS": str(idle_ms)})
        self.addCleanup(bus.close)
        return bus

    def recorded(self, what):
        """Each run of a stand-in, as the list of its arguments."""
        path = self.records / what
        if not path.exists():
            return []
        return [run.split("\n") for run in path.read_text().split("\n\n") if run]

    def metas(self, bus, ids):
        return [{str(k): str(v) for k, v in meta.items()}
                for meta in bus.call(GNOME, "GetResultMetas", "as", ids)]

    def first_id(self, bus, terms):
        ids = bus.call(GNOME, "GetInitialResultSet", "as", terms)
        self.assertTrue(ids, terms)
        return str(ids[0])


class GnomeShell(ProviderCase):
    def test_finds_describes_opens_and_hands_over_a_search(self):
        make_catalogue(self.catalogue)
        bus = self.start()
        self.assertFalse(bus.running())
        ids = bus.call(GNOME, "GetInitialResultSet", "as", ["rmrb"])
        self.assertTrue(bus.running(), "the first call did not start the program")
        self.assertTrue(1 <= len(ids) <= 10, ids)
        self.assertEqual(self.metas(bus, ids[:1]), [{
            "id": ids[0], "name": "人民日报", "description": "北京 · www.people.com.cn",
            "gicon": "kelvane"}])

        wide = bus.call(GNOME, "GetInitialResultSet", "as", ["r"])
        narrow = bus.call(GNOME, "GetSubsearchResultSet", "asas", wide, ["rmrb"])
        self.assertEqual(len(wide), 10)
        self.assertLess(len(narrow), len(wide))
        self.assertEqual(narrow[0], ids[0])

        bus.call(GNOME, "ActivateResult", "sasu", ids[0], ["rmrb"], 0)
        self.assertTrue(wait_until(lambda: self.recorded("xdg-open")))
        self.assertEqual(self.recorded("xdg-open"), [["http://www.people.com.cn/"]])

        bus.call(GNOME, "LaunchSearch", "asu", ["rmrb", "--catalogue"], 0)
        self.assertTrue(wait_until(lambda: self.recorded("kelvane")))
        self.assertEqual(self.recorded("kelvane"), [["--find", "--", "rmrb --catalogue"]])
        self.assertEqual(bus.log_lines(), [])

    def test_the_papers_opened_come_first_among_equals(self):
        make_catalogue(self.catalogue)
        bus = self.start()
        guangming = self.first_id(bus, ["gmrb"])
        self.assertNotEqual(self.first_id(bus, ["rb"]), guangming)
        bus.call(GNOME, "ActivateResult", "sasu", guangming, [], 0)
        self.assertEqual(self.first_id(bus, ["rb"]), guangming)
        usage = json.loads((self.home / "state" / "kelvane" / "usage.json").read_text())
        self.assertEqual([(p["name"], p["count"]) for p in usage["papers"]], [("光明日报", 1)])

    def test_follows_a_catalogue_changed_or_replaced(self):
        make_catalogue(self.catalogue)
        bus = self.start()
        self.assertEqual(bus.call(GNOME, "GetInitialResultSet", "as", ["zsrb"]), [])
        con = sqlite3.connect(self.catalogue)
        con.execute("insert into pinternal values ('广东', '中山日报', 'https://www.zsnews.cn/')")
        con.commit()
        con.close()
        zhongshan = self.first_id(bus, ["zsrb"])
        self.assertEqual(self.metas(bus, [zhongshan])[0]["name"], "中山日报")

        replacement = self.home / "replacement.mdb"
        make_catalogue(replacement, [("poverseas", "英国", "The Times", "https://www.thetimes.co.uk/")])
        os.replace(replacement, self.catalogue)
        for suffix in ("-wal", "-shm"):
            pathlib.Path(str(self.catalogue) + suffix).unlink(missing_ok=True)
        times = self.first_id(bus, ["times"])
        self.assertEqual(self.metas(bus, [times, zhongshan]),
                         [{"id": times, "name": "The Times", "description": "英国 · www.thetimes.co.uk",
                           "gicon": "kelvane"}])
        # The paper an earlier id named is gone: it opens nothing.
        bus.call(GNOME, "ActivateResult", "sasu", zhongshan, [], 0)
        self.assertEqual(self.recorded("xdg-open"), [])
        self.assertEqual(len(bus.log_lines()), 1, bus.log_lines())

    def test_ends_when_idle_and_starts_again(self):
        make_catalogue(self.catalogue)
        bus = self.start(idle_ms=300)
        first = self.first_id(bus, ["rmrb"])
        pid = bus.pid()
        self.assertTrue(wait_until(lambda: not bus.running()), "the program did not end")
        self.assertTrue(wait_until(lambda: ended(pid)))
        self.assertEqual(self.first_id(bus, ["rmrb"]), first)
        self.assertNotEqual(bus.pid(), pid)


class KRunner(ProviderCase):
    def test_matches_rank_and_run(self):
        make_catalogue(self.catalogue)
        bus = self.start()
        matches = bus.call(KRUNNER, "Match", "s", "nfdsb")
        self.assertTrue(matches)
        match_id, text, icon, category, relevance, properties = matches[0]
        self.assertEqual((text, icon), ("南方都市报", "kelvane"))
        self.assertEqual(properties["subtext"], "广东 · www.oeeee.com")
        self.assertEqual(relevance, max(m[4] for m in matches))
        self.assertLess(relevance, 1.0)

        exact = bus.call(KRUNNER, "Match", "s", "南方都市报")[0]
        self.assertEqual((exact[0], exact[3], exact[4]), (match_id, 100, 1.0))

        self.assertEqual(list(bus.call(KRUNNER, "Actions")), [])
        bus.call(KRUNNER, "Run", "ss", match_id, "")
        self.assertTrue(wait_until(lambda: self.recorded("xdg-open")))
        self.assertEqual(self.recorded("xdg-open"), [["https://www.oeeee.com/"]])
        self.assertEqual(bus.log_lines(), [])


HOSTILE = [
    ("pinternal", "<i>省</i>", "<b>粗体</b> &amp; Co", "https://bold.example/<b>"),
    ("pinternal", "北京", "脚本日报", "javascript:alert(1)"),
    ("pinternal", "北京", "命令日报", "xterm -e sh"),
    ("pinternal", "北京", "文件日报", "file:///etc/passwd"),
    ("poverseas", "🌏", "\u202eevil\u200b 报", "http://evil.example/"),
]


class HostileCatalogue(ProviderCase):
    def test_names_come_back_as_they_are_and_refused_addresses_never_open(self):
        make_catalogue(self.catalogue, HOSTILE)
        before = hashlib.sha256(self.catalogue.read_bytes()).hexdigest()
        bus = self.start()
        bold = self.first_id(bus, ["粗体"])
        meta = self.metas(bus, [bold])[0]
        # Byte for byte: nothing interpreted, escaped or dropped.
        self.assertEqual(meta["name"].encode(), "<b>粗体</b> &amp; Co".encode())
        self.assertEqual(meta["description"].encode(), "<i>省</i> · bold.example".encode())
        evil = self.first_id(bus, ["evil"])
        self.assertEqual(self.metas(bus, [evil])[0]["name"], "\u202eevil\u200b 报")

        for name in ("脚本日报", "命令日报", "文件日报"):
            bus.call(GNOME, "ActivateResult", "sasu", self.first_id(bus, [name]), [], 0)
            bus.call(KRUNNER, "Run", "ss", str(bus.call(KRUNNER, "Match", "s", name)[0][0]), "")
        self.assertEqual(len(bus.log_lines()), 6, bus.log_lines())
        bus.call(GNOME, "ActivateResult", "sasu", bold, [], 0)
        self.assertTrue(wait_until(lambda: self.recorded("xdg-open")))
        self.assertEqual(self.recorded("xdg-open"), [["https://bold.example/%3Cb%3E"]])
        self.assertEqual(hashlib.sha256(self.catalogue.read_bytes()).hexdigest(), before)


# Bad input: each case on a bus of its own. A case names the catalogue's
# state, its calls with what each must return, and how many lines the
# program logs. Every call answers (never a hang), the program stays, and
# nothing opens.
LONG = "r" * 10240
CASES = [
    ("empty terms", "shipped", [(GNOME, "GetInitialResultSet", "as", [[]], [])], 0),
    ("blank terms", "shipped", [(GNOME, "GetInitialResultSet", "as", [["", " \t"]], [])], 0),
    ("10 KB term", "shipped", [(GNOME, "GetInitialResultSet", "as", [[LONG]], [])], 0),
    ("10 KB of terms", "shipped",
     [(GNOME, "GetSubsearchResultSet", "asas", [[], ["qqq"] * 2560], [])], 0),
    ("10 KB query", "shipped", [(KRUNNER, "Match", "s", ["人" * 10240], [])], 0),
    ("empty query", "shipped", [(KRUNNER, "Match", "s", [""], [])], 0),
    ("ids that name nothing", "shipped",
     [(GNOME, "GetResultMetas", "as",
       [["", "0", "d/北京", "d/%E5%8C%97/%FF%FE", "f/x/" + "%E4" * 3000, "d/北京/火星日报"]], [])], 0),
    ("activating an id of nothing", "shipped",
     [(GNOME, "ActivateResult", "sasu", ["d/%E5%8C%97%E4%BA%AC/x", [LONG], 0], None)], 1),
    ("running an id of nothing", "shipped", [(KRUNNER, "Run", "ss", ["\n" + LONG, "x"], None)], 1),
    ("catalogue missing", "missing",
     [(GNOME, "GetInitialResultSet", "as", [["rmrb"]], []),
      (KRUNNER, "Match", "s", ["rmrb"], []),
      (GNOME, "GetResultMetas", "as", [["d/%E5%8C%97%E4%BA%AC/x"]], []),
      (GNOME, "ActivateResult", "sasu", ["d/%E5%8C%97%E4%BA%AC/x", [], 0], None)], 1),
    ("not a catalogue", "garbage",
     [(GNOME, "GetInitialResultSet", "as", [["rmrb"]], []),
      (KRUNNER, "Match", "s", ["rmrb"], [])], 1),
    ("catalogue locked", "locked",
     [(GNOME, "GetInitialResultSet", "as", [["rmrb"]], []),
      (KRUNNER, "Match", "s", ["rmrb"], [])], 1),
]


class BadInput(ProviderCase):
    def test_bad_input_gives_nothing_and_never_stops_the_program(self):
        for name, state, calls, lines in CASES:
            with self.subTest(name):
                self.make_home()
                try:
                    self.run_case(state, calls, lines)
                finally:
                    self.doCleanups()

    def run_case(self, state, calls, lines):
        arguments = ()
        if state == "missing":
            arguments = ("--catalogue", str(self.home / "nowhere" / "padr.mdb"))
        elif state == "garbage":
            self.catalogue.write_bytes(b"SQLite format 2\0" + os.urandom(4096))
        else:
            make_catalogue(self.catalogue, wal=state != "locked")
        if state == "locked":
            holder = sqlite3.connect(self.catalogue, isolation_level=None)
            holder.execute("begin exclusive")
            self.addCleanup(holder.close)
        bus = self.start(arguments=arguments)
        for where, method, signature, args, expected in calls:
            answer = bus.call(where, method, signature, *args)
            self.assertEqual(answer, expected, method)
        self.assertTrue(bus.running())
        self.assertEqual(len(bus.log_lines()), lines, bus.log_lines())
        self.assertEqual(self.recorded("xdg-open"), [])


if __name__ == "__main__":
    unittest.main()
