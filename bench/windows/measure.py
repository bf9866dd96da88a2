#!/usr/bin/python3
"""The Windows program under Wine beside the Linux program, in one run on one X display (with a
window manager): start to the first painted frame, resident memory, idle wake-ups, and key to
pixels. Both start on a fresh store; runs alternate, the first of each is a warm-up.

usage: DISPLAY=:N measure.py LINUX_PEMTRIX WINDOWS_PEMTRIX_EXE [ROUNDS]
Wine runs in the WINEPREFIX of the environment (bench/windows/run sets one up).

- start: from spawning the process until its top-level window (_NET_WM_PID) is mapped and
  its pixels show the calculator (the "=" key's orange), polled every 5 ms. Wine starts its
  services and desktop process with the first program of a session and ends them with the
  last, so "wine" is such a first start and "wine-warm" one beside another Wine program (a
  waiting cmd), as on Windows, where the system's services are always running;
- memory: VmRSS of the program's process 2 s after that; under Wine, the wineserver and Wine's
  own helper processes (services, explorer ...) come on top and are given apart;
- idle: voluntary context switches of all the process's threads over 10 s without input;
- key: a digit pressed and released through XTest until the window's pixels change."""
import os, signal, statistics, subprocess, sys, time
from Xlib import X, XK, display
from Xlib.ext import xtest


def find_window(d, pid, timeout=60):
    atom = d.intern_atom("_NET_WM_PID")
    end = time.time() + timeout
    while time.time() < end:
        for w in d.screen().root.query_tree().children:
            try:
                p = w.get_full_property(atom, X.AnyPropertyType)
                a = w.get_attributes()
            except Exception:
                continue
            if p and p.value[0] == pid and a.map_state == X.IsViewable:
                return w
        # Reparenting window managers put the client one level down.
        for frame in d.screen().root.query_tree().children:
            try:
                for w in frame.query_tree().children:
                    p = w.get_full_property(atom, X.AnyPropertyType)
                    if p and p.value[0] == pid and w.get_attributes().map_state == X.IsViewable:
                        return w
            except Exception:
                continue
        time.sleep(0.005)
    return None


def pixels(w):
    g = w.get_geometry()
    return g, w.get_image(0, 0, g.width, g.height, X.ZPixmap, 0xffffffff).data


def painted(w):
    """Whether the "=" key (bottom right of the keypad) shows its orange."""
    try:
        g, data = pixels(w)
    except Exception:
        return False
    s = min(g.width / 800, g.height / 1280)
    x = int((g.width - 800 * s) / 2 + 707.5 * s)
    y = int((g.height - 1280 * s) / 2 + (1280 - 71.8) * s)
    i = (y * g.width + x) * 4
    b, gr, r = data[i], data[i + 1], data[i + 2]
    return r > 200 and 100 < gr < 180 and b < 80


def rss_kib(pid):
    try:
        for line in open("/proc/%d/status" % pid):
            if line.startswith("VmRSS"):
                return int(line.split()[1])
    except OSError:
        pass
    return 0


def switches(pid):
    total = 0
    for task in os.listdir("/proc/%d/task" % pid):
        try:
            for line in open("/proc/%d/task/%s/status" % (pid, task)):
                if line.startswith("voluntary_ctxt_switches"):
                    total += int(line.split()[1])
        except OSError:
            pass
    return total


def wine_helpers():
    """RSS of the Wine processes of this prefix other than the program: the server and Wine's
    services (other prefixes on the machine are someone else's)."""
    total = 0
    prefix = ("WINEPREFIX=" + os.environ.get("WINEPREFIX", "")).encode()
    for pid in os.listdir("/proc"):
        if not pid.isdigit():
            continue
        try:
            cmd = open("/proc/%s/cmdline" % pid, "rb").read().split(b"\0")[0]
            if prefix not in open("/proc/%s/environ" % pid, "rb").read().split(b"\0"):
                continue
        except OSError:
            continue
        name = os.path.basename(cmd).lower()
        if name == b"wineserver" or (name.endswith(b".exe") and b"pemtrix" not in name):
            total += rss_kib(int(pid))
    return total


def measure(d, argv, store, keys, idle):
    t0 = time.perf_counter()
    p = subprocess.Popen(argv + ["--store", store], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    result = {}
    try:
        w = find_window(d, p.pid)
        if w is None:
            return None
        mapped = time.perf_counter()
        while not painted(w) and time.perf_counter() - t0 < 60:
            time.sleep(0.005)
        result["map_ms"] = (mapped - t0) * 1000
        result["start_ms"] = (time.perf_counter() - t0) * 1000
        time.sleep(2)
        result["rss_kib"] = rss_kib(p.pid)
        if argv[0] == "wine":
            result["helpers_kib"] = wine_helpers()
        if idle:
            before = switches(p.pid)
            time.sleep(idle)
            result["wakeups_per_s"] = (switches(p.pid) - before) / idle
        w.set_input_focus(X.RevertToParent, X.CurrentTime)
        d.sync()
        time.sleep(0.3)
        latencies = []
        for i in range(keys + 3):
            code = d.keysym_to_keycode(XK.string_to_keysym(str(1 + i % 9)))
            before = pixels(w)[1]
            k0 = time.perf_counter()
            xtest.fake_input(d, X.KeyPress, code)
            xtest.fake_input(d, X.KeyRelease, code)
            d.sync()
            while pixels(w)[1] == before and time.perf_counter() - k0 < 1.0:
                pass
            if i >= 3:
                latencies.append((time.perf_counter() - k0) * 1000)
            time.sleep(0.12)
        if latencies:
            result["key_ms"] = statistics.median(latencies)
        return result
    finally:
        p.send_signal(signal.SIGTERM)
        try:
            p.wait(10)
        except subprocess.TimeoutExpired:
            p.kill()
            p.wait()


def main():
    linux, exe = sys.argv[1], sys.argv[2]
    rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 3
    d = display.Display()
    programs = {"linux": [linux], "wine": ["wine", exe], "wine-warm": ["wine", exe]}
    results = {name: [] for name in programs}
    for round_ in range(rounds + 1):
        for name, argv in programs.items():
            store = "bench-%s-%d" % (name, round_)
            if name == "linux":
                store = "/tmp/pemtrix-bench-%d-%d.db" % (os.getpid(), round_)
            keeper = None
            if name == "wine-warm":
                keeper = subprocess.Popen(["wine", "cmd"], stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                                          stderr=subprocess.DEVNULL)
                time.sleep(3)
            else:
                time.sleep(3)  # a session of Wine before this one has ended
            r = measure(d, argv, store, keys=20 if round_ else 0, idle=10 if round_ == 1 else 0)
            if keeper:
                keeper.stdin.close()
                keeper.wait()
            if name == "linux" and os.path.exists(store):
                os.remove(store)
            if r is None:
                print("%s: no window" % name)
                continue
            if round_:
                results[name].append(r)
    for name, runs in results.items():
        if not runs:
            continue
        def med(key):
            values = [r[key] for r in runs if key in r]
            return statistics.median(values) if values else float("nan")
        print("%-9s start to mapped %6.0f ms, to painted %6.0f ms; RSS %6.1f MiB; idle wake-ups/s %5.1f; "
              "key to pixels %5.1f ms (medians of %d)" %
              (name, med("map_ms"), med("start_ms"), med("rss_kib") / 1024, med("wakeups_per_s"), med("key_ms"),
               len(runs)))
        if name.startswith("wine"):
            print("%-9s beside it Wine's server, services and desktop process: %.1f MiB resident" %
                  ("", med("helpers_kib") / 1024))


if __name__ == "__main__":
    main()
