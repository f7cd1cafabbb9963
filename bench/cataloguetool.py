#!/usr/bin/env python3
"""kelvane-catalogue's figures, each against its yardstick in the same run.

    bench/cataloguetool.py PROGRAM SOURCE_DIR   prints name value lines for extra.txt

- check of 1,000 addresses on a local threaded server that delays every answer
  50 ms, 32 at once, spread over the 250 loopback hosts 127.0.0.1..127.0.0.250
  (a server bound to 0.0.0.0 answers them all), against curl --parallel
  --parallel-max 32 on the same list, and against the ideal 1000/32 x 50 ms;
- import of 100,000 bookmarks against sqlite3 inserting the same rows in one
  transaction;
- export of 100,000 papers against sqlite3 -csv of the same rows;
- merge of a 10,000-paper starter (1,000 new, 1,000 moved since its base; as a
  catalogue file, and as the SQL that makes one) into those 100,000 papers
  against sqlite3 inserting and updating the same rows in one transaction.
Wall times, median of RUNS (default 5) alternating runs."""
import http.server
import os
import pathlib
import shutil
import socket
import statistics
import subprocess
import sys
import tempfile
import threading
import time

DELAY = 0.05
ADDRESSES = 1000
CONCURRENCY = 32
HOSTS = 250
PAPERS = 100000
PROVINCES = 1000
MERGE_STARTER, MERGE_NEW, MERGE_MOVED = 10000, 1000, 1000
RUNS = int(os.environ.get("RUNS", "5"))


class SlowHandler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def answer(self):
        time.sleep(DELAY)
        body = b"" if self.command == "HEAD" else b"ok\n"
        self.send_response(200)
        self.send_header("Content-Length", "3")
        self.end_headers()
        self.wfile.write(body)

    do_HEAD = answer
    do_GET = answer

    def log_message(self, *args):
        pass


class SlowServer(http.server.ThreadingHTTPServer):
    daemon_threads = True
    # The default backlog of 5 drops connections that 32 clients open at
    # once, and each dropped one waits a second for its retry.
    request_queue_size = 1024


def serve():
    """Runs the slow server in this process; prints its port, serves until killed."""
    server = SlowServer(("0.0.0.0", 0), SlowHandler)
    print(server.server_address[1], flush=True)
    server.serve_forever()


def timed(command, **kwargs):
    start = time.perf_counter()
    done = subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, **kwargs)
    elapsed = (time.perf_counter() - start) * 1000
    if done.returncode != 0:
        sys.exit("%s failed (%d): %s" % (command[0], done.returncode, done.stderr.decode()[-500:]))
    return elapsed


def median_of(pairs):
    """pairs: [(name, function)], run alternately RUNS times; medians by name."""
    times = {name: [] for name, _ in pairs}
    for _ in range(RUNS):
        for name, run in pairs:
            times[name].append(run())
    return {name: statistics.median(values) for name, values in times.items()}


def sql_text(value):
    return "'" + value.replace("'", "''") + "'"


def main():
    if sys.argv[1:2] == ["serve"]:
        return serve()
    program, source = sys.argv[1], pathlib.Path(sys.argv[2])
    starter = (source / "database" / "padr.sql").read_text(encoding="utf-8")
    schema = starter[:starter.index("BEGIN;")]
    work = pathlib.Path(tempfile.mkdtemp(prefix="kelvane-tool-bench-"))
    env = {k: v for k, v in os.environ.items() if not k.lower().endswith("_proxy")}
    env["HOME"] = str(work)
    server = None
    try:
        empty = work / "empty.mdb"
        subprocess.run(["sqlite3", empty], input=schema.encode(), check=True,
                       stdout=subprocess.DEVNULL)

        # check
        server = subprocess.Popen([sys.executable, __file__, "serve"], stdout=subprocess.PIPE)
        port = int(server.stdout.readline())
        urls = ["http://127.0.0.%d:%d/paper/%d" % (i % HOSTS + 1, port, i)
                for i in range(ADDRESSES)]
        check_db = work / "check.mdb"
        shutil.copy(empty, check_db)
        rows = "".join("INSERT INTO pinternal VALUES('本地','p%d','%s');\n" % (i, u)
                       for i, u in enumerate(urls))
        subprocess.run(["sqlite3", check_db], input=("BEGIN;\n" + rows + "COMMIT;\n").encode(),
                       check=True)
        curl_config = work / "curl.cfg"
        curl_config.write_text("".join('url = "%s"\noutput = "/dev/null"\n' % u for u in urls))
        check = median_of([
            ("tool", lambda: timed([program, "--catalogue", check_db, "check", "--concurrency",
                                    str(CONCURRENCY)], env=env)),
            ("curl", lambda: timed(["curl", "--parallel", "--parallel-max", str(CONCURRENCY),
                                    "--silent", "--fail", "-K", curl_config], env=env)),
        ])
        print("check_tool_ms %.1f" % check["tool"])
        print("check_curl_ms %.1f" % check["curl"])
        print("check_ideal_ms %.1f" % (ADDRESSES / CONCURRENCY * DELAY * 1000))

        # import and export
        papers = [("省%d" % (i % PROVINCES), "报纸 %d & <%d>" % (i, i), "http://p%d.example/n/%d" % (i % 997, i))
                  for i in range(PAPERS)]
        by_province = {}
        for province, name, url in papers:
            by_province.setdefault(province, []).append((name, url))
        html = ["<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n"]
        for province, marks in by_province.items():
            html.append("<DT><H3>%s</H3>\n<DL><p>\n" % province)
            html.extend('<DT><A HREF="%s" ADD_DATE="1700000000">%s</A>\n'
                        % (url, name.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;"))
                        for name, url in marks)
            html.append("</DL><p>\n")
        html.append("</DL><p>\n")
        bookmarks = work / "bookmarks.html"
        bookmarks.write_text("".join(html), encoding="utf-8")
        inserts = work / "inserts.sql"
        inserts.write_text("BEGIN;\n" + "".join(
            "INSERT INTO pinternal VALUES(%s,%s,%s);\n" % tuple(map(sql_text, p)) for p in papers)
            + "COMMIT;\n", encoding="utf-8")

        def fresh(name, source=empty):
            """A copy of source named name, with no working files of an earlier copy."""
            target = work / name
            for suffix in ("", "-wal", "-shm"):
                pathlib.Path(str(target) + suffix).unlink(missing_ok=True)
            shutil.copy(source, target)
            return target

        def import_with_tool():
            db = fresh("import-tool.mdb")
            return timed([program, "--catalogue", db, "import", bookmarks, "--half", "domestic"],
                         env=env)

        def import_with_sqlite():
            db = fresh("import-sqlite.mdb")
            with open(inserts, "rb") as sql:
                return timed(["sqlite3", db], stdin=sql, env=env)

        imported = median_of([("tool", import_with_tool), ("sqlite", import_with_sqlite)])
        print("import_tool_ms %.1f" % imported["tool"])
        print("import_sqlite_ms %.1f" % imported["sqlite"])

        full = work / "import-sqlite.mdb"
        exported = median_of([
            # both to standard output, which goes to /dev/null
            ("tool", lambda: timed([program, "--catalogue", full, "export"], env=env)),
            ("sqlite", lambda: timed(["sqlite3", "-csv", full,
                                      "select pcity, pname, purl from pinternal"], env=env)),
        ])
        print("export_tool_ms %.1f" % exported["tool"])
        print("export_sqlite_ms %.1f" % exported["sqlite"])

        # merge: a starter of 10,000 papers, 1,000 of them new and 1,000 moved
        # since the base, into the 100,000-paper catalogue; the starter as a
        # catalogue file and as the SQL that makes one, the base as the
        # program keeps it beside the user's catalogue
        shipped = papers[:MERGE_STARTER - MERGE_NEW]
        moved = [(c, n, u + "moved/") for c, n, u in shipped[:MERGE_MOVED]]
        new = [("新省%d" % (i % 30), "新报 %d" % i, "http://new%d.example/" % i)
               for i in range(MERGE_NEW)]
        starter_sql, starter_db = work / "starter.sql", work / "starter.mdb"
        starter_sql.write_text(schema + "BEGIN;\n" + "".join(
            "INSERT INTO pinternal VALUES(%s,%s,%s);\n" % tuple(map(sql_text, p))
            for p in moved + shipped[MERGE_MOVED:] + new) + "COMMIT;\n", encoding="utf-8")
        subprocess.run(["sqlite3", starter_db], stdin=open(starter_sql, "rb"), check=True,
                       stdout=subprocess.DEVNULL)
        base = work / "padr.base"
        base.write_text("kelvane starter base, md5 0\n" + "".join(
            "D\t%s\t%s\t%s\n" % p for p in shipped), encoding="utf-8")
        changes = work / "changes.sql"
        changes.write_text("BEGIN;\n" + "".join(
            "INSERT INTO pinternal VALUES(%s,%s,%s);\n" % tuple(map(sql_text, p)) for p in new)
            + "".join("UPDATE pinternal SET purl=%s WHERE pname=%s;\n"
                      % (sql_text(u), sql_text(n)) for _, n, u in moved) + "COMMIT;\n",
            encoding="utf-8")

        def merge_with_tool(starter):
            db = fresh("merge-tool.mdb", full)
            return timed([program, "--catalogue", db, "merge", starter, "--base", base], env=env)

        def merge_with_sqlite():
            db = fresh("merge-sqlite.mdb", full)
            with open(changes, "rb") as sql:
                return timed(["sqlite3", db], stdin=sql, env=env)

        merged = median_of([("tool", lambda: merge_with_tool(starter_db)),
                            ("script", lambda: merge_with_tool(starter_sql)),
                            ("sqlite", merge_with_sqlite)])
        print("merge_tool_ms %.1f" % merged["tool"])
        print("merge_script_ms %.1f" % merged["script"])
        print("merge_sqlite_ms %.1f" % merged["sqlite"])
    finally:
        if server:
            server.kill()
            server.wait()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
