#!/usr/bin/env python3
"""kelvane-catalogue run as a user runs it: on catalogue files of the tests'
own, against a local HTTP server, with buku and hand-made browser files.

Needs KELVANE_CATALOGUE (the program) and KELVANE_SOURCE_DIR (the repository)."""
import csv
import http.server
import io
import json
import os
import pathlib
import pty
import resource
import shutil
import signal
import socket
import sqlite3
import stat
import subprocess
import tempfile
import threading
import time
import unittest

TOOL = os.environ["KELVANE_CATALOGUE"]
SOURCE = pathlib.Path(os.environ["KELVANE_SOURCE_DIR"])
STARTER_SQL = (SOURCE / "database" / "padr.sql").read_text(encoding="utf-8")
SCHEMA = STARTER_SQL[:STARTER_SQL.index("BEGIN;")]
SAMPLES = pathlib.Path(__file__).resolve().parent / "samples"
SLOW_SECONDS = 3

HOSTILE = [
    ("pinternal", "A&B <省>", "Tom & Jerry &amp; co", "http://a.example/?x=1&y=2"),
    ("pinternal", "A&B <省>", "<b>bold</b> </A></DL>", "http://b.example/"),
    ("pinternal", "北京", 'say "hi" it\'s', "https://c.example/path'q"),
    ("pinternal", "北京", "人民日报", "www.people.com.cn"),
    ("poverseas", "🌏 world", "📰 News 🗞️ 👩‍👩‍👧", "https://d.example/"),
    ("poverseas", "مصر", "صحيفة الأهرام", "http://ahram.org.eg/"),
    ("poverseas", "ایران", "همشهری\u200cها", "https://www.hamshahrionline.ir/"),
    ("poverseas", "英国", "报" * 1000, "http://e.example/" + "a" * 10240),
]

# Bookmarks the import refuses, each with its reason.
REFUSED = [
    ("\x1b[2J\x1b]0;owned\x07News", "北京", "its name holds the control or format character U+001B"),
    ("صحيفة \u202eabc", "北京", "its name holds the control or format character U+202E"),
    ("Tab\there", "北京", "its name holds the control or format character U+0009"),
    ("X", "北\u200b京", "its province holds the control or format character U+200B"),
    ("报" * 5000000, "北京", "its name is longer than 1000 characters"),
]


def make_catalogue(path, rows=(), sql=None):
    con = sqlite3.connect(path)
    con.executescript(sql if sql is not None else SCHEMA)
    con.executemany("insert into %s values (?,?,?)" % "pinternal",
                    [r[1:] for r in rows if r[0] == "pinternal"])
    con.executemany("insert into %s values (?,?,?)" % "poverseas",
                    [r[1:] for r in rows if r[0] == "poverseas"])
    con.commit()
    con.close()


def rows_of(path):
    con = sqlite3.connect(path)
    rows = [(t,) + r for t in ("pinternal", "poverseas")
            for r in con.execute("select pcity, pname, purl from %s order by rowid" % t)]
    con.close()
    return rows


class ToolCase(unittest.TestCase):
    def setUp(self):
        self.dir = pathlib.Path(tempfile.mkdtemp(prefix="kelvane-tool-"))
        self.home = self.dir / "home"
        self.home.mkdir()
        self.db = self.dir / "padr.mdb"

    def tearDown(self):
        shutil.rmtree(self.dir, ignore_errors=True)

    def env(self):
        env = {k: v for k, v in os.environ.items() if not k.lower().endswith("_proxy")}
        env.update(HOME=str(self.home), XDG_DATA_HOME=str(self.home / ".local/share"),
                   XDG_CONFIG_HOME=str(self.home / ".config"), LC_ALL="C.UTF-8")
        return env

    def tool(self, *args, cwd=None, timeout=120, program=TOOL, **run):
        done = subprocess.run([program, *map(str, args)], capture_output=True, timeout=timeout,
                              cwd=cwd or self.dir, env=self.env(), **run)
        return done.returncode, done.stdout.decode("utf-8"), done.stderr.decode("utf-8")

    def listed(self, db):
        code, out, err = self.tool("--catalogue", db, "list", "--format", "json")
        self.assertEqual(code, 0, err)
        return json.loads(out)


# ---- check against a server of our own ------------------------------------

class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    redirects = {"/moved301": (301, "/ok"), "/found302": (302, "/ok"),
                 "/moved308": (308, "/ok"), "/loop-a": (302, "/loop-b"),
                 "/loop-b": (302, "/loop-a"), "/chain": (301, "/found302"),
                 "/gone-for-good": (301, "/missing")}
    codes = {"/ok": 200, "/missing": 404, "/broken": 500, "/refuse": 403}
    lock = threading.Lock()
    in_flight = 0
    most_in_flight = 0

    def reply(self, code, location=None, cookie=None):
        body = b"" if self.command == "HEAD" else b"answer\n"
        self.send_response(code)
        if location:
            self.send_header("Location", location)
        if cookie:
            self.send_header("Set-Cookie", cookie)
        self.send_header("Content-Length", str(len(b"answer\n")))
        try:
            self.end_headers()
            self.wfile.write(body)
        except (BrokenPipeError, ConnectionResetError):
            pass  # the checker has what it needs and went

    def answer(self):
        path = self.path.split("?")[0]
        if path == "/closed":
            self.close_connection = True  # no answer at all
            return
        if path == "/slow":
            time.sleep(SLOW_SECONDS)
        if path == "/busy":
            with Handler.lock:
                Handler.in_flight += 1
                Handler.most_in_flight = max(Handler.most_in_flight, Handler.in_flight)
            time.sleep(0.2)
            with Handler.lock:
                Handler.in_flight -= 1
            return self.reply(200)
        if path == "/nohead":
            return self.reply(405 if self.command == "HEAD" else 200)
        if path == "/head403":  # a bot filter that only minds HEAD
            return self.reply(403 if self.command == "HEAD" else 200)
        if path == "/cookie":  # sets a cookie and sends the browser back to itself once
            if "seen=1" in (self.headers.get("Cookie") or ""):
                return self.reply(302, "/ok")
            return self.reply(302, "/cookie", cookie="seen=1; Path=/")
        if path in self.redirects:
            code, to = self.redirects[path]
            return self.reply(code, to)
        return self.reply(self.codes.get(path, 200 if path == "/slow" else 404))

    do_HEAD = answer
    do_GET = answer

    def log_message(self, *args):
        pass


class ThreadingServer(http.server.ThreadingHTTPServer):
    daemon_threads = True
    request_queue_size = 256  # many connections open at once


class Server:
    def __init__(self, host="127.0.0.1"):
        self.httpd = ThreadingServer((host, 0), Handler)
        self.port = self.httpd.server_address[1]
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def url(self, path, host="127.0.0.1"):
        return "http://%s:%d%s" % (host, self.port, path)

    def close(self):
        self.httpd.shutdown()
        self.httpd.server_close()


def flood_headers(listener):
    """Answers every connection with headers that never end, as fast as it can."""
    def flood(connection):
        with connection:
            try:
                connection.recv(4096)
                connection.sendall(b"HTTP/1.1 200 OK\r\n")
                while True:
                    connection.sendall(b"X-Flood: never ending\r\n" * 100)
            except OSError:
                pass  # the checker went

    while True:
        try:
            connection, _ = listener.accept()
        except OSError:
            return  # the test is over
        threading.Thread(target=flood, args=(connection,), daemon=True).start()


def closed_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class CheckTest(ToolCase):
    @classmethod
    def setUpClass(cls):
        cls.server = Server("0.0.0.0")

    @classmethod
    def tearDownClass(cls):
        cls.server.close()

    # name: (path, outcome, status, what the detail says)
    CASES = {
        "200": ("/ok", "ok", 200, None),
        "301": ("/moved301", "redirected", 200, "permanent"),
        "302": ("/found302", "redirected", 200, "temporary"),
        "308": ("/moved308", "redirected", 200, "permanent"),
        "404": ("/missing", "dead", 404, "HTTP 404"),
        "500": ("/broken", "dead", 500, "HTTP 500"),
        "405 on HEAD": ("/nohead", "ok", 200, None),
        "403 on HEAD": ("/head403", "ok", 200, None),
        "403 on GET": ("/refuse", "unreachable", 403, "refused by the server (HTTP 403)"),
        "back with a cookie": ("/cookie", "redirected", 200, "temporary"),
        "loop": ("/loop-a", "unreachable", 302, "redirect loop"),
        "slow": ("/slow", "unreachable", 0, "timed out after 1 s"),
        "closed": ("/closed", "unreachable", 0, "connection closed by the server"),
        "301 then 302": ("/chain", "redirected", 200, "temporary"),
        "301 to 404": ("/gone-for-good", "dead", 404, "HTTP 404"),
    }

    def catalogue_of_cases(self):
        rows = [("pinternal", "本地", name, self.server.url(path))
                for name, (path, *_rest) in self.CASES.items()]
        rows += [("poverseas", "无处", "refused", "http://127.0.0.1:%d/" % closed_port()),
                 ("poverseas", "无处", "no host", "http://no-such-host.invalid/"),
                 ("poverseas", "无处", "no address", "ftp://files.example/"),
                 ("poverseas", "无处", "no TLS", "https://127.0.0.1:%d/ok" % self.server.port)]
        make_catalogue(self.db, rows)
        return rows

    def test_each_paper_gets_its_outcome(self):
        self.catalogue_of_cases()
        started = time.monotonic()
        code, out, err = self.tool("--catalogue", self.db, "check", "--timeout", "1",
                                   "--format", "json")
        self.assertLess(time.monotonic() - started, 30, "the check must not hang")
        self.assertEqual(code, 1, err)
        results = {entry["name"]: entry for entry in json.loads(out)}
        for name, (path, outcome, status, detail) in self.CASES.items():
            with self.subTest(name):
                entry = results[name]
                self.assertEqual((entry["outcome"], entry["status"]), (outcome, status))
                if outcome == "redirected":
                    self.assertEqual(entry["permanent"], detail == "permanent")
                    self.assertEqual(entry["final"], self.server.url("/ok"))
                elif detail:
                    self.assertIn(detail, entry["reason"])
        self.assertEqual(results["301 to 404"]["final"], self.server.url("/missing"))
        self.assertEqual(results["refused"]["reason"], "connection refused")
        self.assertIn("host not found", results["no host"]["reason"])
        self.assertEqual(results["no address"]["reason"], "not a web address")
        self.assertTrue(results["no TLS"]["reason"].startswith("TLS handshake failed"))

    def test_text_summary_lists_what_is_not_ok(self):
        self.catalogue_of_cases()
        code, out, err = self.tool("--catalogue", self.db, "check", "--timeout", "1")
        self.assertEqual(code, 1, err)
        lines = out.splitlines()
        self.assertEqual(lines[-1], "Checked 19 papers: 3 ok, 5 redirected, 3 dead, "
                                    "8 unreachable.")
        listed = {line.split("\t")[1] for line in lines[:-1]}
        self.assertEqual(len(lines) - 1, 16)
        self.assertNotIn("国内报纸/本地/200", listed)
        self.assertIn("国内报纸/本地/404", listed)
        self.assertIn("redirected\t国内报纸/本地/301\t%s\tpermanent -> %s"
                      % (self.server.url("/moved301"), self.server.url("/ok")), lines)
        # A dead paper behind redirects says where they ended.
        self.assertIn("dead\t国内报纸/本地/301 to 404\t%s\tHTTP 404 at %s"
                      % (self.server.url("/gone-for-good"), self.server.url("/missing")), lines)
        # Not on a terminal: no progress bar.
        self.assertNotIn("[", err)

    def test_fix_redirects_changes_exactly_the_permanent_ones(self):
        rows = self.catalogue_of_cases()
        code, out, err = self.tool("--catalogue", self.db, "check", "--timeout", "1",
                                   "--fix-redirects")
        self.assertEqual(code, 1, err)
        changed = {"301": self.server.url("/ok"), "308": self.server.url("/ok"),
                   # only as far as the permanent redirect leads
                   "301 then 302": self.server.url("/found302")}
        expected = [(t, p, n, changed.get(n, u)) for t, p, n, u in rows]
        self.assertEqual(rows_of(self.db), expected)
        self.assertIn("Changed 3 addresses in '%s'." % self.db, out)
        self.assertIn("changed\t国内报纸/本地/308\t%s -> %s"
                      % (self.server.url("/moved308"), self.server.url("/ok")), out)

    def test_progress_bar_only_on_a_terminal(self):
        make_catalogue(self.db, [("pinternal", "本地", "p%d" % i, self.server.url("/ok?%d" % i))
                                 for i in range(3)])
        main, terminal = pty.openpty()
        try:
            done = subprocess.run([TOOL, "--catalogue", str(self.db), "check"], stdout=subprocess.PIPE,
                                  stderr=terminal, env=self.env(), timeout=60)
            os.close(terminal)
            shown = b""
            while True:
                try:
                    chunk = os.read(main, 4096)
                except OSError:
                    break
                if not chunk:
                    break
                shown += chunk
        finally:
            os.close(main)
        self.assertEqual(done.returncode, 0)
        self.assertIn("[" + "#" * 30 + "] 3/3  ok 3  redirected 0  dead 0  unreachable 0",
                      shown.decode())

    def test_all_fine_exits_zero(self):
        make_catalogue(self.db, [("pinternal", "本地", "a", self.server.url("/ok")),
                                 ("pinternal", "本地", "b", self.server.url("/found302"))])
        code, out, err = self.tool("--catalogue", self.db, "check")
        self.assertEqual(code, 0, err)
        self.assertEqual(out.splitlines()[-1],
                         "Checked 2 papers: 1 ok, 1 redirected, 0 dead, 0 unreachable.")

    def test_concurrency_and_per_host_limits(self):
        Handler.most_in_flight = 0
        same_host = [("pinternal", "一", "p%d" % i, self.server.url("/busy?%d" % i))
                     for i in range(12)]
        make_catalogue(self.db, same_host)
        code, _, err = self.tool("--catalogue", self.db, "check", "--concurrency", "16")
        self.assertEqual(code, 0, err)
        self.assertEqual(Handler.most_in_flight, 4)

        Handler.most_in_flight = 0
        many_hosts = [("pinternal", "一", "p%d" % i,
                       self.server.url("/busy", "127.0.0.%d" % (i + 1))) for i in range(12)]
        db = self.dir / "hosts.mdb"
        make_catalogue(db, many_hosts)
        code, _, err = self.tool("--catalogue", db, "check", "--concurrency", "6")
        self.assertEqual(code, 0, err)
        self.assertEqual(Handler.most_in_flight, 6)

    def test_the_deadline_holds_against_headers_that_never_end(self):
        listener = socket.create_server(("127.0.0.1", 0))
        threading.Thread(target=flood_headers, args=(listener,), daemon=True).start()
        make_catalogue(self.db, [("pinternal", "本地", "flood",
                                  "http://127.0.0.1:%d/" % listener.getsockname()[1])])
        started = time.monotonic()
        try:
            code, out, err = self.tool("--catalogue", self.db, "check", "--timeout", "1")
        finally:
            listener.shutdown(socket.SHUT_RDWR)
            listener.close()
        self.assertLess(time.monotonic() - started, 1 + 2.5)
        self.assertEqual(code, 1, err)
        self.assertIn("\ttimed out after 1 s\n", out)


# ---- export, import and the other commands ---------------------------------

def bookmark_file(folders):
    """folders: {(half folder or None, province): [(name, url)]}"""
    parts = ["<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n"]
    for (top, province), marks in folders.items():
        if top:
            parts.append("<DT><H3>%s</H3>\n<DL><p>\n" % top)
        parts.append("<DT><H3>%s</H3>\n<DL><p>\n" % province)
        parts.extend('<DT><A HREF="%s" ADD_DATE="1">%s</A>\n' % (url, name)
                     for name, url in marks)
        parts.append("</DL><p>\n" + ("</DL><p>\n" if top else ""))
    parts.append("</DL><p>\n")
    return "".join(parts)


class ImportExportTest(ToolCase):
    def test_export_then_import_gives_the_same_rows(self):
        make_catalogue(self.db, HOSTILE)
        exported = self.dir / "export.html"
        code, _, err = self.tool("--catalogue", self.db, "export", "-o", exported)
        self.assertEqual(code, 0, err)
        self.assertIn("Exported 8 papers", err)
        code, out, _ = self.tool("--catalogue", self.db, "export")
        self.assertEqual(out, exported.read_text(encoding="utf-8"))
        self.assertIn("📰 News 🗞️", out)
        self.assertIn("&lt;b&gt;bold&lt;/b&gt;", out)

        empty = self.dir / "empty.mdb"
        make_catalogue(empty)
        code, out, err = self.tool("--catalogue", empty, "import", exported)
        self.assertEqual(code, 0, err)
        self.assertIn("8 added, 0 skipped, 0 refused.", out)
        self.assertEqual(self.listed(empty), self.listed(self.db))
        self.assertEqual(sorted(rows_of(empty)), sorted(HOSTILE))

        # Again: every paper is already there.
        code, out, err = self.tool("--catalogue", empty, "import", exported)
        self.assertEqual(code, 0, err)
        self.assertIn("0 added, 8 skipped, 0 refused.", out)
        self.assertEqual(len(rows_of(empty)), 8)

    def test_hostile_names_are_refused_and_shown_harmlessly(self):
        make_catalogue(self.db)
        source = self.dir / "in.html"
        marks = {("国内报纸", province): [] for _, province, _ in REFUSED}
        for name, province, _ in REFUSED:
            marks[("国内报纸", province)].append((name, "http://a.example/"))
        marks[("国内报纸", "北京")].append(("甲", "http://a.example/"))
        source.write_text(bookmark_file(marks), encoding="utf-8")
        code, out, err = self.tool("--catalogue", self.db, "import", source)
        self.assertEqual(code, 0, err)
        self.assertEqual(rows_of(self.db), [("pinternal", "北京", "甲", "http://a.example/")])
        self.assertIn("1 added, 0 skipped, 5 refused.", out)
        reasons = [line.rsplit("\t(", 1)[1] for line in out.splitlines()
                   if line.startswith("refused\t")]
        self.assertEqual(sorted(reasons), sorted(reason + ")" for _, _, reason in REFUSED))
        # The leading ESC is trimmed with the blanks, as the window trims names.
        self.assertIn("refused\t[2J<U+001B>]0;owned<U+0007>News\t", out)
        self.assertNotIn("\x1b", out)
        self.assertLess(len(out), 10000)

    def test_names_already_there_are_skipped_ignoring_ascii_case(self):
        make_catalogue(self.db, [("poverseas", "英国", "The Times", "https://thetimes.co.uk/")])
        source = self.dir / "in.html"
        source.write_text(bookmark_file({
            ("国外报纸", "英国"): [("THE TIMES", "https://other.example/"),
                              ("The Guardian", "https://theguardian.com/"),
                              ("the guardian", "https://guardian2.example/")],
            ("国内报纸", "北京"): [("The Times", "https://times.cn/")]}), encoding="utf-8")
        code, out, err = self.tool("--catalogue", self.db, "import", source)
        self.assertEqual(code, 0, err)
        self.assertIn("skipped\t国外报纸/英国/THE TIMES\thttps://other.example/\t(a paper of "
                      "that name is already in the foreign half)", out)
        self.assertIn("2 added, 2 skipped, 0 refused.", out)
        self.assertEqual(sorted(rows_of(self.db)), sorted([
            ("poverseas", "英国", "The Times", "https://thetimes.co.uk/"),
            ("poverseas", "英国", "The Guardian", "https://theguardian.com/"),
            ("pinternal", "北京", "The Times", "https://times.cn/")]))

    def test_browser_files_import_with_their_provinces(self):
        cases = [
            ("firefox.html", ["--half", "domestic"],
             [("poverseas", "英国", "The Guardian", "https://www.theguardian.com/international"),
              ("poverseas", "英国", "Financial Times", "https://www.ft.com/"),
              ("poverseas", "日本", "朝日新聞", "https://www.asahi.com/"),
              ("pinternal", "北京", "北京日报 & 晚报", "http://www.bjd.com.cn/"),
              ("pinternal", "Other Bookmarks", "联合早报", "https://www.zaobao.com.sg/")],
             ["place:type=6&sort=14&maxResults=10", "javascript:void(0)"]),
            ("chromium.html", [],
             [("pinternal", "广东", "南方日报", "https://www.nfnews.com/"),
              ("pinternal", "广东", "羊城晚报", "https://www.ycwb.com/"),
              ("pinternal", "上海", "解放日报", "https://www.jfdaily.com/")],
             ["chrome://settings/", "https://news.ycombinator.com/"]),
            ("chromium.html", ["--half", "foreign"],
             [("pinternal", "广东", "南方日报", "https://www.nfnews.com/"),
              ("pinternal", "广东", "羊城晚报", "https://www.ycwb.com/"),
              ("pinternal", "上海", "解放日报", "https://www.jfdaily.com/"),
              ("poverseas", "Tech", "Hacker News", "https://news.ycombinator.com/")],
             ["chrome://settings/"]),
        ]
        for sample, options, expected, refused in cases:
            with self.subTest(sample=sample, options=options):
                db = self.dir / ("%s%d.mdb" % (sample, len(options)))
                make_catalogue(db)
                code, out, err = self.tool("--catalogue", db, "import", SAMPLES / sample,
                                           *options)
                self.assertEqual(code, 0, err)
                self.assertEqual(sorted(rows_of(db)), sorted(expected))
                refused_lines = [l for l in out.splitlines() if l.startswith("refused\t")]
                self.assertEqual([l.split("\t")[2] for l in refused_lines], refused)

    def test_other_encodings_that_a_file_declares(self):
        firefox = (SAMPLES / "firefox.html").read_text(encoding="utf-8")
        cases = {
            "utf-16 with a byte-order mark": firefox.encode("utf-16"),
            "GBK named in the META tag": firefox.replace("charset=UTF-8", "charset=GBK")
            .replace("朝日新聞", "朝日新闻").encode("gbk"),
            "GBK with no declaration, read as GB18030":
            firefox.replace(' CONTENT="text/html; charset=UTF-8"', "")
            .replace("朝日新聞", "朝日新闻").encode("gbk"),
        }
        for what, content in cases.items():
            with self.subTest(what):
                db = self.dir / ("%d.mdb" % len(content))
                make_catalogue(db)
                source = self.dir / "in.html"
                source.write_bytes(content)
                code, out, err = self.tool("--catalogue", db, "import", source, "--half",
                                           "domestic")
                self.assertEqual(code, 0, err)
                self.assertIn(("pinternal", "北京", "北京日报 & 晚报", "http://www.bjd.com.cn/"),
                              rows_of(db))
                self.assertEqual(len(rows_of(db)), 5)

    def test_dry_run_writes_nothing(self):
        make_catalogue(self.db)
        code, out, err = self.tool("--catalogue", self.db, "import", SAMPLES / "chromium.html",
                                   "--dry-run")
        self.assertEqual(code, 0, err)
        self.assertIn("would add\t国内报纸/广东/南方日报", out)
        self.assertIn("3 added, 0 skipped, 2 refused. Nothing was written.", out)
        self.assertEqual(rows_of(self.db), [])

    def test_bad_files_are_refused_by_name(self):
        make_catalogue(self.db, HOSTILE[:2])
        (self.dir / "folder").mkdir()
        cases = {
            "text.html": ("text", "name,address\nA,http://a.org/\n", "is not a Netscape bookmark file"),
            "empty.html": ("text", "", "is not a Netscape bookmark file"),
            "bookmarks.json": ("text", '{"roots": {}}', "is not a Netscape bookmark file"),
            "binary.html": ("bytes", bytes(range(256)) * 64, "is not a Netscape bookmark file"),
            "declared.html": ("bytes", (SAMPLES / "chromium.html").read_bytes().replace(
                b"</H3>", "南方</H3>".encode("gbk") + b"</H3>", 1), "Add a charset declaration"),
            "undeclared.html": ("bytes", b"<!DOCTYPE NETSCAPE-Bookmark-file-1><DL><DT><A "
                                b"HREF=a.cn>\xff\xfe</A></DL>", "Add a charset declaration"),
            "missing.html": (None, None, "Could not read file"),
            "folder": (None, None, "Could not read file"),
        }
        for name, (kind, content, message) in cases.items():
            with self.subTest(name):
                path = self.dir / name
                if kind == "text":
                    path.write_text(content, encoding="utf-8")
                elif kind == "bytes":
                    path.write_bytes(content)
                code, out, err = self.tool("--catalogue", self.db, "import", path,
                                           "--half", "domestic")
                self.assertEqual(code, 1, out + err)
                self.assertIn(message, err)
                self.assertIn(str(path), err)
                self.assertEqual(rows_of(self.db), HOSTILE[:2])

    def test_a_truncated_file_gives_its_whole_bookmarks(self):
        text = bookmark_file({("国内报纸", "北京"): [("甲", "http://a.cn/"), ("乙", "http://b.cn/"),
                                                 ("丙", "http://c.cn/")]})
        cut = self.dir / "cut.html"
        cut.write_text(text[:text.index("丙") + 1], encoding="utf-8")
        make_catalogue(self.db)
        code, out, err = self.tool("--catalogue", self.db, "import", cut)
        self.assertEqual(code, 0, err)
        self.assertEqual(rows_of(self.db), [("pinternal", "北京", "甲", "http://a.cn/"),
                                            ("pinternal", "北京", "乙", "http://b.cn/")])

    def test_100000_bookmarks(self):
        folders = {("国外报纸", "国%d" % p): [("报%d" % (p * 100 + i), "http://h%d.example/%d" % (p, i))
                                         for i in range(100)] for p in range(1000)}
        big = self.dir / "big.html"
        big.write_text(bookmark_file(folders), encoding="utf-8")
        make_catalogue(self.db)
        code, out, err = self.tool("--catalogue", self.db, "import", big, timeout=300)
        self.assertEqual(code, 0, err)
        self.assertIn("100000 added, 0 skipped, 0 refused.", out)
        con = sqlite3.connect(self.db)
        self.assertEqual(con.execute("select count(*), count(distinct pcity) from poverseas")
                         .fetchone(), (100000, 1000))
        con.close()

    def test_a_failure_halfway_leaves_the_catalogue_as_it_was(self):
        sql = SCHEMA + ("CREATE TRIGGER refuse BEFORE INSERT ON poverseas WHEN new.pname='炸' "
                        "BEGIN SELECT RAISE(ABORT, 'refused by a trigger'); END;")
        make_catalogue(self.db, HOSTILE[:1], sql=sql)
        source = self.dir / "in.html"
        source.write_text(bookmark_file({
            ("国内报纸", "北京"): [("甲%d" % i, "http://a.cn/%d" % i) for i in range(50)],
            ("国外报纸", "美国"): [("炸", "http://b.com/")]}), encoding="utf-8")
        code, out, err = self.tool("--catalogue", self.db, "import", source)
        self.assertEqual(code, 1)
        self.assertIn("refused by a trigger", err)
        self.assertEqual(out, "")
        self.assertEqual(rows_of(self.db), HOSTILE[:1])

    def test_a_catalogue_locked_by_another_program(self):
        make_catalogue(self.db, HOSTILE[:2])
        source = self.dir / "in.html"
        source.write_text(bookmark_file({("国内报纸", "北京"): [("甲", "http://a.cn/")]}),
                          encoding="utf-8")
        other = sqlite3.connect(self.db, isolation_level=None)
        other.execute("begin exclusive")
        other.execute("insert into pinternal values ('x', 'held', 'http://x/')")
        try:
            code, out, err = self.tool("--catalogue", self.db, "import", source)
        finally:
            other.execute("rollback")
            other.close()
        self.assertEqual(code, 1)
        self.assertIn("The catalogue file '%s' is in use by another program; try again later"
                      % self.db, err)
        self.assertEqual(rows_of(self.db), HOSTILE[:2])
        con = sqlite3.connect(self.db)
        self.assertEqual(con.execute("pragma integrity_check").fetchone(), ("ok",))
        con.close()

    def test_merge_from_a_starter_script_or_catalogue(self):
        base = [("pinternal", "北京", "人民日报", "http://a/"), ("pinternal", "北京", "光明日报", "http://b/"),
                ("pinternal", "北京", "经济日报", "http://c/"), ("poverseas", "美国", "Time", "http://t/")]
        make_catalogue(self.db, [base[0], ("pinternal", "北京", "光明日报", "http://mine/"), base[3]])
        starter_rows = [("pinternal", "北京", "人民日报", "https://a/"),
                        ("pinternal", "北京", "光明日报", "https://b/"),
                        ("pinternal", "北京", "经济日报", "https://c/"),
                        ("pinternal", "上海", "新报", "http://n/"),
                        ("pinternal", "上海", REFUSED[0][0], "http://r/"),
                        ("poverseas", "美国", "Bad", "javascript:alert(1)")]
        base_db, starter_db = self.dir / "base.mdb", self.dir / "starter.mdb"
        make_catalogue(base_db, base)
        make_catalogue(starter_db, starter_rows)
        starter_sql = self.dir / "starter.sql"
        con = sqlite3.connect(starter_db)
        starter_sql.write_text("\n".join(con.iterdump()), encoding="utf-8")
        con.close()
        before = rows_of(self.db)
        expected_lines = [
            "%s\t国内报纸/北京/人民日报\thttps://a/\t(was 北京, http://a/)",
            "kept\t国内报纸/北京/光明日报\thttp://mine/\t(changed in the catalogue; the starter "
            "has https://b/)",
            "skipped\t国内报纸/北京/经济日报\thttps://c/\t(deleted from the catalogue)",
            "%s\t国内报纸/上海/新报\thttp://n/",
            "refused\t<U+001B>[2J<U+001B>]0;owned<U+0007>News\thttp://r/\t"
            "(its name holds the control or format character U+001B)",
            "refused\tBad\tjavascript:alert(1)\t(not a web address)",
            "kept\t国外报纸/美国/Time\thttp://t/\t(no longer in the starter)"]
        for starter in (starter_sql, starter_db):
            with self.subTest(starter=starter.name):
                code, out, err = self.tool("--catalogue", self.db, "merge", starter, "--base",
                                           base_db, "--dry-run")
                self.assertEqual(code, 0, err)
                self.assertEqual(out.splitlines()[:-1], [line.replace("%s", "would " + verb)
                                 for line, verb in zip(expected_lines, ["update", "", "", "add",
                                                                        "", "", ""])])
                self.assertIn("1 added, 1 updated, 2 kept, 1 skipped, 2 refused. Nothing was "
                              "written.", out)
                self.assertEqual(rows_of(self.db), before)
        code, out, err = self.tool("--catalogue", self.db, "merge", starter_sql, "--base", base_db)
        self.assertEqual(code, 0, err)
        self.assertIn("updated\t国内报纸/北京/人民日报", out)
        self.assertEqual(rows_of(self.db), [
            ("pinternal", "北京", "人民日报", "https://a/"),
            ("pinternal", "北京", "光明日报", "http://mine/"),
            ("pinternal", "上海", "新报", "http://n/"), base[3]])
        # Once merged, the same starter adds and updates nothing more.
        code, out, err = self.tool("--catalogue", self.db, "merge", starter_db, "--base", base_db)
        self.assertIn("0 added, 0 updated, 2 kept, 1 skipped, 2 refused.", out)
        self.assertEqual(self.tool("--catalogue", self.db, "merge", self.dir / "none.sql")[0], 1)

    def test_buku_imports_our_export_and_we_import_its_export(self):
        buku = shutil.which("buku")
        self.assertIsNotNone(buku, "buku is installed by scripts/install-deps")
        rows = [("pinternal", "北京", "人民日报 & 晚报", "http://www.people.com.cn/"),
                ("pinternal", "上海", "解放日报", "https://www.jfdaily.com/"),
                ("poverseas", "英国", "📰 The Guardian", "https://www.theguardian.com/")]
        make_catalogue(self.db, rows)
        exported = self.dir / "ours.html"
        self.assertEqual(self.tool("--catalogue", self.db, "export", "-o", exported)[0], 0)

        def run_buku(*args):
            done = subprocess.run([buku, "--nostdin", *map(str, args)], capture_output=True,
                                  stdin=subprocess.DEVNULL, env=self.env(), timeout=60,
                                  cwd=self.dir)
            self.assertEqual(done.returncode, 0, done.stderr.decode())
            return done.stdout.decode("utf-8")

        run_buku("--tacit", "-i", exported)
        records = json.loads(run_buku("--tacit", "-p", "-j"))
        by_url = {r["uri"]: r for r in records}
        self.assertEqual(sorted(by_url), sorted(r[3] for r in rows))
        for _, province, name, url in rows:
            self.assertEqual(by_url[url]["title"], name)
            self.assertIn(province.lower(), by_url[url]["tags"].split(","))

        theirs = self.dir / "theirs.html"
        run_buku("--tacit", "-e", theirs)
        empty = self.dir / "empty.mdb"
        make_catalogue(empty)
        code, out, err = self.tool("--catalogue", empty, "import", theirs, "--half", "foreign")
        self.assertEqual(code, 0, err)
        # buku keeps no folders: its one folder is the province.
        self.assertEqual(sorted(rows_of(empty)),
                         sorted(("poverseas", "buku bookmarks", n, u) for _, _, n, u in rows))


class OutputTest(ToolCase):
    def setUp(self):
        super().setUp()
        make_catalogue(self.db, HOSTILE)

    def test_standard_output_that_fails_is_a_failure(self):
        for args in (["export"], ["export", "-o", "-"], ["list"], ["search", "a"],
                     ["list", "--format", "csv"]):
            with self.subTest(args=args), open("/dev/full", "wb") as full:
                done = subprocess.run([TOOL, "--catalogue", str(self.db), *args], stdout=full,
                                      stderr=subprocess.PIPE, env=self.env(), timeout=60)
                self.assertEqual(done.returncode, 1)
                self.assertEqual(done.stderr.decode(), "kelvane-catalogue: Could not write to "
                                                       "standard output: No space left on device\n")

    def test_export_never_writes_over_the_catalogue(self):
        (self.dir / "link.mdb").symlink_to(self.db)
        self.assertEqual(self.tool("--catalogue", self.db, "list")[0], 0)  # now in WAL mode
        before = self.db.read_bytes()

        def refused(target):
            code, out, err = self.tool("--catalogue", self.db, "export", "-o", target)
            self.assertEqual(code, 1, err)
            self.assertIn("Will not export onto '%s': it is the catalogue" % (self.dir / target),
                          err)

        for target in (self.db, "link.mdb", "padr.mdb-wal", "padr.mdb-shm", "padr.mdb-journal"):
            with self.subTest(target=target):
                refused(target)
                self.assertEqual(self.db.read_bytes(), before)
                self.assertFalse((self.dir / "padr.mdb-journal").exists())
        # With the log and shared memory there, held by another program.
        other = sqlite3.connect(self.db)
        other.execute("insert into pinternal values ('北京', '乙', 'http://b.example/')")
        other.commit()
        try:
            for target in ("padr.mdb-wal", "padr.mdb-shm"):
                with self.subTest(held=target):
                    refused(target)
                    self.assertFalse((self.dir / target).read_bytes().startswith(b"<!DOCTYPE"))
        finally:
            other.close()
        self.assertEqual(len(rows_of(self.db)), len(HOSTILE) + 1)

    def test_a_fifo_is_written_directly(self):
        fifo = self.dir / "fifo"
        os.mkfifo(fifo)
        received = []
        reader = threading.Thread(target=lambda: received.append(fifo.read_bytes()))
        reader.start()
        code, _, err = self.tool("--catalogue", self.db, "export", "--format", "csv", "-o", fifo)
        reader.join(30)
        self.assertEqual(code, 0, err)
        _, expected, _ = self.tool("--catalogue", self.db, "list", "--format", "csv")
        self.assertEqual(received, [expected.encode("utf-8")])
        self.assertTrue(stat.S_ISFIFO(os.stat(fifo).st_mode))

    def test_a_file_that_cannot_be_written_in_full_is_left_as_it_was(self):
        con = sqlite3.connect(self.db)
        con.executemany("insert into poverseas values ('英国', ?, 'http://a.example/')",
                        [("报%d" % i + "x" * 200,) for i in range(500)])
        con.commit()
        con.close()
        target = self.dir / "out.html"
        target.write_text("the previous export\n")

        def small_files():  # a disk that fills up after 64 KB, as the export reaches 100 KB
            signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
            resource.setrlimit(resource.RLIMIT_FSIZE, (65536, 65536))

        done = subprocess.run([TOOL, "--catalogue", str(self.db), "export", "-o", str(target)],
                              capture_output=True, env=self.env(), timeout=60,
                              preexec_fn=small_files)
        self.assertEqual(done.returncode, 1)
        self.assertEqual(done.stderr.decode(), "kelvane-catalogue: Could not write file '%s' in "
                         "full (File too large); the file was left as it was\n" % target)
        self.assertEqual(target.read_text(), "the previous export\n")
        # No temporary file is left (a reader leaves the engine's own -wal and -shm).
        self.assertEqual(sorted(p.name for p in self.dir.iterdir() if "mdb-" not in p.name),
                         ["home", "out.html", "padr.mdb"])


class CommandLineTest(ToolCase):
    def setUp(self):
        super().setUp()
        make_catalogue(self.db, sql=STARTER_SQL)

    def test_list_and_search(self):
        everything = self.listed(self.db)
        self.assertEqual(len(everything), 323)
        cases = [
            (["list", "--domestic"], lambda p: p["half"] == "domestic"),
            (["list", "--foreign"], lambda p: p["half"] == "foreign"),
            # No name starts with the text: every hit ranks alike, in the catalogue's order.
            (["search", "日报", "--limit", "1000"], lambda p: "日报" in p["name"] + p["province"]),
        ]
        for args, wanted in cases:
            with self.subTest(args=args):
                code, out, err = self.tool("--catalogue", self.db, *args, "--format", "json")
                self.assertEqual(code, 0, err)
                found = json.loads(out)
                self.assertEqual(found, [p for p in everything if wanted(p)])
                self.assertTrue(found)
        code, out, _ = self.tool("--catalogue", self.db, "search", "xinmin.cn")
        self.assertEqual(out, "domestic\t上海\t新民晚报\thttps://www.xinmin.cn/\n")
        code, out, _ = self.tool("list", "--format", "csv", "--catalogue", self.db)
        lines = out.split("\r\n")
        self.assertEqual(lines[0], "half,province,name,address")
        self.assertEqual(len(lines), 325)

    def test_search_ranks_and_limits(self):
        cases = [
            # query, extra arguments, how many are found (None: any), the first names found
            # Equally good matches keep the catalogue's order: 北京 first.
            ("日报", [], 20, ["人民日报", "光明日报"]),
            ("日报", ["--limit", "3"], 3, ["人民日报", "光明日报", "经济日报"]),
            ("rmrb", [], 1, ["人民日报"]),
            ("renminr", [], 1, ["人民日报"]),
            ("nfdsb", [], 1, ["南方都市报"]),
            ("人民日報", [], 1, ["人民日报"]),
            ("zhangsha", [], 1, ["长沙晚报"]),
            # An unfinished last syllable: xinmin(g).
            ("XINMIN", [], 2, ["新民晚报", "新明日报"]),
            # The name starting with the words comes before the one holding them.
            ("new york", [], 2, ["New York Post", "The New York Times"]),
            ("liberation", [], 1, ["Libération"]),
            ("guangdong ribao", [], None, ["南方日报"]),
            ("xyzzyq", [], 0, []),
        ]
        for query, extra, count, names in cases:
            for form in ("json", "csv", "text"):
                with self.subTest(query=query, extra=extra, format=form):
                    code, out, err = self.tool("--catalogue", self.db, "search", query, *extra,
                                               "--format", form)
                    self.assertEqual(code, 0, err)
                    if form == "json":
                        found = [p["name"] for p in json.loads(out)]
                    elif form == "csv":
                        found = [row["name"] for row in csv.DictReader(io.StringIO(out))]
                    else:
                        found = [line.split("\t")[2] for line in out.splitlines()]
                    if count is not None:
                        self.assertEqual(len(found), count, found)
                    self.assertEqual(found[:len(names)], names)

    def test_the_catalogue_is_found_as_the_menu_bar_program_finds_it(self):
        work = self.dir / "work"
        (work / "database").mkdir(parents=True)
        shutil.copy(self.db, work / "database" / "padr.mdb")
        code, out, err = self.tool("list", cwd=work)
        self.assertEqual((code, len(out.splitlines())), (0, 323), err)
        code, out, err = self.tool("list", cwd=self.home)
        self.assertEqual(code, 1)
        self.assertIn("Could not find file '%s'"
                      % (self.home / ".local/share/kelvane/padr.mdb"), err)

    def test_usage(self):
        bad = [[], ["bogus"], ["list", "--format", "xml"], ["list", "--domestic", "--foreign"],
               ["list", "extra"], ["search"], ["search", "a", "b"], ["search", "a", "--limit", "0"],
               ["search", "a", "--limit", "many"], ["import"],
               ["import", "f.html", "--half", "middle"], ["export", "--format", "pdf"],
               ["check", "--concurrency", "0"], ["check", "--concurrency", "many"],
               ["check", "--timeout", "-1"], ["check", "--format", "csv"], ["list", "--nope"],
               ["--catalogue"], ["--catalogue", "", "list"], ["list", "--catalogue="],
               ["export", "-o", ""]]
        for args in bad:
            with self.subTest(args=args):
                code, out, err = self.tool(*args)
                self.assertEqual(code, 2, out + err)
                self.assertIn("kelvane-catalogue: ", err)
                self.assertIn("--help", err)
        for command in ["list", "search", "export", "import", "check"]:
            with self.subTest(help=command):
                code, out, _ = self.tool(command, "--help")
                self.assertEqual(code, 0)
                self.assertTrue(out.startswith("Usage: kelvane-catalogue %s [options]" % command))
        code, out, _ = self.tool("--help")
        self.assertEqual(code, 0)
        self.assertIn("Commands:", out)


class CatalogueFileTest(ToolCase):
    """The catalogue's file over its life: in use by the menu-bar program
    (a connection held open here), replaced, deleted, read-only."""

    def count(self, db):
        code, out, err = self.tool("--catalogue", db, "list")
        self.assertEqual(code, 0, err)
        return len(out.splitlines())

    def integrity(self, db):
        con = sqlite3.connect(db)
        try:
            return con.execute("pragma integrity_check").fetchone()[0]
        finally:
            con.close()

    def test_a_backup_moved_over_a_catalogue_in_use_is_read_as_it_is(self):
        make_catalogue(self.db, sql=STARTER_SQL)
        holder = sqlite3.connect(self.db)
        holder.execute("select count(*) from pinternal").fetchall()
        source = self.dir / "in.html"
        source.write_text(bookmark_file({("国内报纸", "新省"): [("新报%d" % i, "http://%d.example/" % i)
                                                             for i in range(30)]}))
        code, out, err = self.tool("--catalogue", self.db, "import", source)
        self.assertEqual(code, 0, err)
        backup = self.dir / "backup.mdb"
        make_catalogue(backup, HOSTILE[:3])
        os.rename(backup, self.db)
        self.assertEqual(self.count(self.db), 3)
        self.assertEqual(self.integrity(self.db), "ok")
        holder.close()

    def test_a_catalogue_deleted_without_its_log_is_made_anew_from_the_starter(self):
        prefix = self.dir / "prefix"
        (prefix / "bin").mkdir(parents=True)
        (prefix / "share/kelvane").mkdir(parents=True)
        program = shutil.copy(TOOL, prefix / "bin")
        (prefix / "share/kelvane/padr.sql").write_text(STARTER_SQL, encoding="utf-8")
        user = self.home / ".local/share/kelvane/padr.mdb"
        code, out, err = self.tool("list", program=program)
        self.assertEqual((code, len(out.splitlines())), (0, 323), err)
        holder = sqlite3.connect(user)  # so that the writer cannot fold its log in
        holder.execute("select count(*) from pinternal").fetchall()
        writer = sqlite3.connect(user)
        writer.execute("pragma wal_autocheckpoint=0")
        writer.executemany("insert into pinternal values ('新省', ?, 'http://x.example/')",
                           [("报%d" % i,) for i in range(20)])
        writer.commit()
        writer.close()
        os.remove(user)
        self.assertGreater(os.path.getsize(str(user) + "-wal"), 0)
        code, out, err = self.tool("list", program=program)
        self.assertEqual((code, len(out.splitlines())), (0, 323), err)
        self.assertEqual(self.integrity(user), "ok")
        holder.close()

    def test_commands_that_only_read_leave_the_file_as_it_was(self):
        make_catalogue(self.db, [("pinternal", "北京", "报", "http://127.0.0.1:9/")])
        sqlite3.connect(self.db).execute("pragma journal_mode=delete").close()
        before = self.db.read_bytes()
        source = self.dir / "in.html"
        source.write_text(bookmark_file({("国内报纸", "新省"): [("新报", "http://n.example/")]}))
        for args in (["list"], ["search", "报"], ["export"], ["export", "--format", "csv"],
                     ["check", "--timeout", "2"], ["import", "--dry-run", source]):
            with self.subTest(args=args):
                code, out, err = self.tool("--catalogue", self.db, *args)
                self.assertIn(code, (0, 1), err)
                self.assertEqual(self.db.read_bytes(), before)
                self.assertFalse(pathlib.Path(str(self.db) + "-wal").exists())

    @unittest.skipUnless(os.geteuid() == 0, "needs to run the tool as another user")
    def test_a_catalogue_in_a_read_only_folder_can_be_listed(self):
        folder = self.dir / "readonly"
        folder.mkdir()
        db = folder / "padr.mdb"
        make_catalogue(db, HOSTILE[:3])
        con = sqlite3.connect(db)
        con.execute("pragma journal_mode=wal")
        con.close()
        os.chmod(self.dir, 0o755)
        os.chmod(folder, 0o555)
        nobody = dict(user=65534, group=65534, extra_groups=[])
        code, out, err = self.tool("--catalogue", db, "list", **nobody)
        self.assertEqual((code, len(out.splitlines())), (0, 3), err)
        self.assertEqual(sorted(os.listdir(folder)), ["padr.mdb"])


if __name__ == "__main__":
    unittest.main()
