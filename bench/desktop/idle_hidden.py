#!/usr/bin/python3
"""Wake-ups and CPU of pemtrix at rest while its window is hidden (unmapped, as a window
manager does when it minimises it): after 3 s of start-up the window is unmapped, then the
process's voluntary context switches and CPU time are counted over 10 s.
usage: PEMTRIX_BIN=build/pemtrix idle_hidden.py   (under Xvfb, like idle.py)"""
import os, signal, subprocess, sys, time
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from Xlib import display
from idle import ticks, wakeups
from key_latency import APPS, find_window

d = display.Display()
p = subprocess.Popen(APPS["pemtrix"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
w = find_window(d, p.pid)
time.sleep(3)
w.unmap(); d.sync()
time.sleep(1)
w0, t0 = wakeups(p.pid), ticks(p.pid)
time.sleep(10)
w1, t1 = wakeups(p.pid), ticks(p.pid)
w.map(); d.sync()
p.send_signal(signal.SIGTERM)
try: p.wait(5)
except subprocess.TimeoutExpired: p.kill()
hz = os.sysconf("SC_CLK_TCK")
print("%-18s hidden wake-ups/s %6.1f cpu %% %5.2f" % ("pemtrix", (w1 - w0) / 10, 100.0 * (t1 - t0) / hz / 10))
