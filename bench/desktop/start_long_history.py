#!/usr/bin/python3
"""Start of pemtrix with three history lines of 10 MB each: the time from starting the process
to its window being mapped and to its first picture (the background colour at a corner), and
its resident memory 2 s after start. The store is made first, in a temporary folder.
usage: PEMTRIX_BIN=build/pemtrix start_long_history.py [RUNS]   (under Xvfb)"""
import os, sqlite3, subprocess, sys, tempfile, time
from Xlib import X, display

def make_store(path):
    db = sqlite3.connect(path)
    db.execute("PRAGMA journal_mode=WAL")
    db.execute("CREATE TABLE IF NOT EXISTS entries (key TEXT PRIMARY KEY NOT NULL, value)")
    line = "1+" * 5000000
    rows = [("nHistStrings", 6)]
    for i in range(3):
        rows += [("histString%d" % (2 * i), "5'000'000"), ("histString%d" % (2 * i + 1), line[:-1])]
    db.executemany("INSERT OR REPLACE INTO entries VALUES(?, ?)", rows)
    db.commit()
    db.close()

def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 5
    binary = os.environ.get("PEMTRIX_BIN", "pemtrix")
    d = display.Display()
    pid_atom = d.intern_atom("_NET_WM_PID")
    def window(pid):
        for w in d.screen().root.query_tree().children:
            try:
                p = w.get_full_property(pid_atom, X.AnyPropertyType); a = w.get_attributes()
            except Exception:
                continue
            if p and p.value[0] == pid and a.map_state == X.IsViewable: return w
        return None
    with tempfile.TemporaryDirectory() as work:
        store = os.path.join(work, "store.db")
        make_store(store)
        results = []
        for _ in range(runs + 1):
            t0 = time.perf_counter()
            p = subprocess.Popen([binary, "--store", store], stderr=subprocess.DEVNULL)
            w = None
            while w is None:
                w = window(p.pid); time.sleep(0.0005)
            mapped = time.perf_counter()
            while w.get_image(3, 3, 1, 1, X.ZPixmap, 0xffffffff).data[0:3] != bytes([56, 50, 38]):
                time.sleep(0.0005)
            shown = time.perf_counter()
            time.sleep(2)
            rss = [l for l in open("/proc/%d/status" % p.pid) if l.startswith("VmRSS")][0].split()[1]
            p.terminate(); p.wait()
            results.append(((mapped - t0) * 1000, (shown - t0) * 1000, int(rss) / 1024))
        results = sorted(results[1:], key=lambda r: r[1])  # the first run warms the caches
        mid = results[len(results) // 2]
        print("pemtrix, 3 x 10 MB history: mapped ms median %.0f, first picture ms median %.0f (%.0f-%.0f), "
              "RSS MiB %.1f" % (mid[0], mid[1], results[0][1], results[-1][1], mid[2]))

if __name__ == "__main__":
    main()
