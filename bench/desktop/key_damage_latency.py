#!/usr/bin/python3
"""Key-to-pixels latency measured by the X server's DAMAGE extension: for each calculator, N
digit keys are sent through XTest (t0) and the time is taken when the server reports that the
window's pixels changed (t1), so the figure does not depend on the window's size the way polling
its whole image does (key_latency.py reads back every pixel of the window for each poll, which
costs about 1.5 ms for 480 x 768 and 0.5 ms for 420 x 246).
usage: key_damage_latency.py APP[,APP...] [N]   (APP as in key_latency.py; PEMTRIX_BIN points at pemtrix)
Run under Xvfb and a session bus, like key_latency.py."""
import os, signal, statistics, subprocess, sys, time
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from Xlib import X, XK, display
from Xlib.ext import damage, xtest
from key_latency import APPS, find_window

def wait_for_damage(d, timeout):
    end = time.perf_counter() + timeout
    while time.perf_counter() < end:
        while d.pending_events():
            e = d.next_event()
            if e.type == d.extension_event.DamageNotify:
                return time.perf_counter()
        time.sleep(0.00005)
    return None

def drain(d):
    while d.pending_events():
        d.next_event()

def run(d, name, n):
    p = subprocess.Popen(APPS[name], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        w = find_window(d, p.pid)
        if w is None: return None
        time.sleep(1.5)
        w.set_input_focus(X.RevertToParent, X.CurrentTime); d.sync(); time.sleep(0.3)
        dmg = w.damage_create(damage.DamageReportNonEmpty)
        out = []
        for i in range(n + 3):
            code = d.keysym_to_keycode(XK.string_to_keysym(str(1 + i % 9)))
            d.damage_subtract(dmg, 0, 0); d.sync(); time.sleep(0.02); drain(d)
            d.damage_subtract(dmg, 0, 0); d.sync(); drain(d)
            t0 = time.perf_counter()
            xtest.fake_input(d, X.KeyPress, code); xtest.fake_input(d, X.KeyRelease, code); d.flush()
            t1 = wait_for_damage(d, 1.0)
            if t1 is not None and i >= 3: out.append((t1 - t0) * 1000)
            time.sleep(0.12)
        try:
            d.damage_destroy(dmg); d.sync()
        except Exception:
            pass
        return out
    finally:
        p.send_signal(signal.SIGTERM)
        try: p.wait(5)
        except subprocess.TimeoutExpired: p.kill()

def main():
    names = sys.argv[1].split(","); n = int(sys.argv[2]) if len(sys.argv) > 2 else 30
    d = display.Display()
    if not d.has_extension("DAMAGE"):
        print("the X server has no DAMAGE extension"); return
    d.damage_query_version()
    for name in names:
        r = run(d, name, n)
        if not r: print("%-18s no window" % name); continue
        r.sort()
        print("%-18s key-to-damage ms median %6.2f p90 %6.2f max %6.2f n=%d" %
              (name, statistics.median(r), r[int(0.9 * (len(r) - 1))], r[-1], len(r)))

if __name__ == "__main__":
    main()
