#!/usr/bin/env python3
"""The search provider's cold start, against a bare Qt D-Bus program.

    bench/searchprovider-activation.py PROVIDER BARE SOURCE_DIR
        prints name value lines for extra.txt

Each run makes a private session bus whose service file starts the program
(tests/searchprovider/privatebus.py), then times GetInitialResultSet(['rmrb'])
from the call, which makes the bus start the program, to the answer: the
provider on the shipped catalogue (the user's own, as on a desktop) against
barebusprovider, which owns the same name and answers an empty list. Wall
times, median of RUNS (default 20) alternating runs."""
import os
import pathlib
import shutil
import sqlite3
import statistics
import sys
import tempfile
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "tests" / "searchprovider"))
from privatebus import GNOME, PrivateBus  # noqa: E402


def cold_call_ms(program, home):
    home.mkdir()
    bus = PrivateBus(home, program, environment={"XDG_DATA_HOME": str(home.parent / "data"),
                                                 "XDG_STATE_HOME": str(home / "state")})
    try:
        start = time.perf_counter()
        bus.call(GNOME, "GetInitialResultSet", "as", ["rmrb"])
        return (time.perf_counter() - start) * 1e3
    finally:
        bus.close()


def main():
    provider, bare = (str(pathlib.Path(p).resolve()) for p in sys.argv[1:3])
    source = pathlib.Path(sys.argv[3])
    runs = int(os.environ.get("RUNS", "20"))
    work = pathlib.Path(tempfile.mkdtemp(prefix="kelvane-provider-bench-"))
    try:
        (work / "data" / "kelvane").mkdir(parents=True)
        con = sqlite3.connect(work / "data" / "kelvane" / "padr.mdb")
        con.executescript((source / "database" / "padr.sql").read_text(encoding="utf-8"))
        con.close()
        times = {provider: [], bare: []}
        for run in range(runs):
            for program in (provider, bare) if run % 2 == 0 else (bare, provider):
                home = work / f"{pathlib.Path(program).name}-{run}"
                times[program].append(cold_call_ms(program, home))
        print(f"provider_cold_ms {statistics.median(times[provider]):.1f}")
        print(f"provider_bare_cold_ms {statistics.median(times[bare]):.1f}")
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
