#!/usr/bin/env python3
"""Prints the benchmark figures as ratios, side by side in one run.

Reads the Google Benchmark JSON files and the extra figures (name value lines)
in the folder given, and prints one table: each figure against its yardstick,
the ratio and the target."""
import json
import pathlib
import sys

# (what, file, measured, yardstick, target): names are benchmark names in the
# file's JSON (CPU time) or names from extra.txt.
RATIOS = [
    ("menus on 100,000 papers in 1,000 provinces vs in-memory tree", "bench_menus",
     "BM_MainWindowOnCatalogue/min_time:2.000", "BM_MenuTreeInMemory/min_time:2.000", 2.0),
    ("resident-set growth of that window vs in-memory tree", "extra",
     "memory_catalogue_kib", "memory_in_memory_kib", 1.5),
    ("start to main window mapped: shipped vs empty catalogue", "extra",
     "startup_shipped_ms", "startup_empty_ms", 1.2),
    ("first start making the user's catalogue vs an ordinary start", "extra",
     "startup_making_catalogue_ms", "startup_own_catalogue_ms", 1.5),
    ("second start handing over and exiting vs a first start", "extra",
     "handover_ms", "startup_own_catalogue_ms", 0.5),
    ("global key to find window mapped vs tray click to main window mapped", "extra",
     "find_hotkey_ms", "tray_show_ms", 1.2),
    # At most 2 MB more: 1.05x of the program's 41 MB with the window shown.
    ("resident memory after the first find vs the find window shown empty", "extra",
     "find_rss_after_kib", "find_rss_before_kib", 1.05),
    ("address lookup: 100,000 vs 100 papers", "bench_lookup",
     "BM_LookUpAddress/100000", "BM_LookUpAddress/100", 3.0),
    ("accelerator pass per item: 10,000 vs 36 items", "bench_accelerators",
     "BM_AssignAccelerators/10000", "BM_AssignAccelerators/36", 3.0, 10000 / 36),
    ("recount of 1,000,000 rows per table: query object vs SQLite C loop", "bench_recount",
     "BM_RecountThroughCatalogueQuery", "BM_RecountWithSqliteC", 1.5),
    ("maintenance window's add: 100,000 vs 100 papers", "bench_add",
     "BM_AddPaper/100000", "BM_AddPaper/100", 3.0),
    # 0.1 wake-ups a second against a bare program's one a minute or so.
    ("idle wake-ups a minute, shown and not docked: vs bare Qt tray program", "extra",
     "idle_kelvane_wakeups_per_min", "idle_bare_wakeups_per_min", 6.0),
    # Start-up against the bare Qt program of bench/yardstick (startup-floor.sh).
    ("start to main window mapped vs bare Qt window", "extra",
     "floor_kelvane_map_ms", "floor_bare_map_ms", 1.25),
    ("instructions from exec to window mapped vs bare Qt window", "extra",
     "floor_kelvane_instructions", "floor_bare_instructions", 1.25),
    ("resident memory 2 s after mapping vs bare Qt window", "extra",
     "floor_kelvane_rss_kib", "floor_bare_rss_kib", 1.15),
    ("private memory 2 s after mapping vs bare Qt window", "extra",
     "floor_kelvane_private_kib", "floor_bare_private_kib", 1.20),
    ("first opening of a 1,000-paper province vs Qt pop-up of 1,000 actions", "bench_menuopen",
     "BM_FirstOpeningOfProvince/min_time:0.500/repeats:9_median",
     "BM_FirstOpeningOfPlainMenu/min_time:0.500/repeats:9_median", 1.10),
    ("re-opening of that province vs re-opening that pop-up", "bench_menuopen",
     "BM_ReopeningOfProvince/min_time:0.500/repeats:9_median",
     "BM_ReopeningOfPlainMenu/min_time:0.500/repeats:9_median", 1.15),
    ("kelvane-catalogue check of 1,000 addresses (50 ms, 32 at once) vs curl --parallel", "extra",
     "check_tool_ms", "check_curl_ms", 1.2),
    ("kelvane-catalogue check of 1,000 addresses vs the ideal 1000/32 x 50 ms", "extra",
     "check_tool_ms", "check_ideal_ms", 1.5),
    ("kelvane-catalogue import of 100,000 bookmarks vs sqlite3 in one transaction", "extra",
     "import_tool_ms", "import_sqlite_ms", 2.0),
    ("kelvane-catalogue export of 100,000 papers vs sqlite3 -csv", "extra",
     "export_tool_ms", "export_sqlite_ms", 2.0),
    ("kelvane-catalogue merge of a 10,000-paper starter into 100,000 papers vs sqlite3 "
     "applying its 2,000 changes", "extra", "merge_tool_ms", "merge_sqlite_ms", 3.0),
    # The starter as SQL: running its 10,000 statements alone costs about twice the yardstick.
    ("that merge from the starter's SQL vs sqlite3 applying its changes", "extra",
     "merge_script_ms", "merge_sqlite_ms", None),
    ("instructions of a start with nothing to merge (starter equal to base) vs without the check",
     "extra", "startup_unchanged_starter_instructions", "startup_no_merge_check_instructions", 1.02),
    # Ratios per key of the medians, computed in the benchmark ("one": the ratio stands alone).
    ("find per keystroke, shipped + 100,000 papers: median over keys vs substring scan",
     "bench_find", "BM_TypingKeyByKey/iterations:1:median_key_ratio",
     "BM_TypingKeyByKey/iterations:1:one", 2.0),
    ("find per keystroke: slowest key vs substring scan", "bench_find",
     "BM_TypingKeyByKey/iterations:1:slowest_key_ratio", "BM_TypingKeyByKey/iterations:1:one",
     4.0),
    ("find per keystroke: 95th percentile vs the 5 ms aim", "bench_find",
     "BM_TypingKeyByKey/iterations:1:p95_ms", "BM_TypingKeyByKey/iterations:1:aim_ms", 1.0),
    ("first find (tables read, index built) vs a later find, shipped catalogue", "bench_find",
     "BM_FirstFind", "BM_LaterFind", None),
    # The desktop search's provider: started by the bus for the first question, against a
    # bare Qt D-Bus program that answers an empty list; warm, against the engine in process.
    ("search provider started by the bus to first answer vs bare Qt D-Bus program", "extra",
     "provider_cold_ms", "provider_bare_cold_ms", 1.5),
    ("warm GetInitialResultSet, 100,000 papers, over the bus vs engine in process",
     "bench_searchprovider", "BM_WarmInitialResultSet/iterations:1:provider_ms",
     "BM_WarmInitialResultSet/iterations:1:engine_ms", 1.3),
]


# Google Benchmark's time units, in nanoseconds.
UNITS = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}


def load(folder):
    figures = {}
    for path in folder.glob("*.json"):
        data = json.loads(path.read_text())
        figures[path.stem] = {b["name"]: (b["cpu_time"], b["time_unit"])
                              for b in data.get("benchmarks", [])}
        # A benchmark's own figures (user counters), as "name:counter".
        for b in data.get("benchmarks", []):
            for key, value in b.items():
                if key.endswith(("_ratio", "_ms")) or key == "one":
                    figures[path.stem][b["name"] + ":" + key] = (
                        value, "ms" if key.endswith("_ms") else "")
    extra = {}
    extra_path = folder / "extra.txt"
    if extra_path.exists():
        for line in extra_path.read_text().splitlines():
            name, _, value = line.partition(" ")
            if value.strip():
                unit = ("KiB" if name.endswith("_kib") else "ms" if name.endswith("_ms")
                        else "/min" if name.endswith("_per_min")
                        else "instr" if name.endswith("_instructions") else "")
                extra[name] = (float(value), unit)
    figures["extra"] = extra
    return figures


def main():
    folder = pathlib.Path(sys.argv[1])
    figures = load(folder)
    rows = [("What", "Measured", "Yardstick", "Ratio", "Target", "Met")]
    missed = 0
    for entry in RATIOS:
        what, source, measured, yardstick, target = entry[:5]
        scale = entry[5] if len(entry) > 5 else 1.0
        table = figures.get(source, {})
        if measured not in table or yardstick not in table:
            rows.append((what, "-", "-", "-", f"<= {target}x", "not measured"))
            continue
        (m, unit), (y, yunit) = table[measured], table[yardstick]
        ratio = m / y / scale * UNITS.get(unit, 1) / UNITS.get(yunit, 1)
        if target is None:  # reported, no target
            rows.append((what, f"{m:.4g} {unit}", f"{y:.4g} {yunit}", f"{ratio:.2f}x", "-", "-"))
            continue
        met = ratio <= target
        missed += not met
        rows.append((what, f"{m:.4g} {unit}", f"{y:.4g} {unit}", f"{ratio:.2f}x",
                     f"<= {target}x", "yes" if met else "NO"))
    widths = [max(len(r[i]) for r in rows) for i in range(len(rows[0]))]
    for i, row in enumerate(rows):
        print("| " + " | ".join(c.ljust(w) for c, w in zip(row, widths)) + " |")
        if i == 0:
            print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
    return 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main())
