#!/usr/bin/env python3
"""Runs the automation scenarios: each *.scenario file is a script for `pemtrix --script`
with `expect PATH = JSON` lines after a `dump`; PATH is a dotted path into the dump
(`calculator.tape.0`). A `restart` line ends the program and starts it again on the same
store. Every scenario starts on a fresh store with a fixed random seed.

usage: run_scenarios.py [--windows] PEMTRIX_BINARY [SCENARIO...]

--windows runs the Windows program under Wine (`wine` on the PATH, in whatever WINEPREFIX the
caller set). Its text is measured by the system's fonts, not the Linux build's, so the figures
that follow from glyph widths (where the cursor bar stands, which part of a long line is in
view) are checked by the rule that places them rather than against Linux's numbers; all others
must match exactly, as on Linux.
"""
import json
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))


def lookup(dump, path):
    value = dump
    for part in path.split("."):
        if isinstance(value, list):
            value = value[int(part)]
        elif isinstance(value, dict):
            value = value[part]
        else:
            raise KeyError(path)
    return value


# Where the expression line's text starts and how far right a cursor may stand before the line
# scrolls (screens/CalculatorLayout.h: kLineLeft, kLineRightLimit).
LINE_LEFT = 23.4375
LINE_RIGHT_LIMIT = 776.5625
GLYPH_DEPENDENT = ("calculator.cursorX", "calculator.viewStart", "calculator.exprLabel")


def glyph_rule_holds(dump, target):
    """The placement rule behind a glyph-dependent figure, for fonts of other widths: the cursor
    stands at the line's left edge when it is at the start of the view and within the line
    otherwise; the view starts at or before the cursor; the label is the line from the view's
    start on."""
    line = dump.get("calculator") or {}
    try:
        expression, start, cursor = line["expression"], line["viewStart"], line["cursorPos"]
        label, x = line["exprLabel"], line["cursorX"]
    except KeyError:
        return False
    if not 0 <= start <= cursor <= len(expression):
        return False
    if target == "calculator.cursorX":
        return x == LINE_LEFT if cursor == start else LINE_LEFT < x <= LINE_RIGHT_LIMIT
    if target == "calculator.viewStart":
        return True
    return expression[start:].startswith(label) and (cursor == start or label != "")


def parse(path):
    """Splits a scenario into scripts (one per run) and, per dump, the expectations after it."""
    scripts, script, expectations, problems = [], [], [], []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if line.strip() == "restart":
                scripts.append("\n".join(script) + "\n")
                script = [""] * len(script)
                continue
            if line.startswith("expect "):
                if not expectations:
                    problems.append(f"{number}: expect before any dump")
                    continue
                target, _, wanted = line[len("expect "):].partition(" = ")
                expectations[-1].append((number, target.strip(), json.loads(wanted)))
                script.append("")  # keep line numbers aligned for the runner's messages
                continue
            script.append(line)
            if line.strip() == "dump":
                expectations.append([])
    scripts.append("\n".join(script) + "\n")
    return scripts, expectations, problems


def run(binary, scenario, runner=()):
    windows = bool(runner)
    scripts, expectations, problems = parse(scenario)
    shots = os.environ.get("PEMTRIX_SCENARIO_SHOTS")
    with tempfile.TemporaryDirectory() as work:
        env = dict(os.environ, LANG="en_US.UTF-8", LC_ALL="en_US.UTF-8", LANGUAGE="en")
        if os.path.basename(scenario).startswith("ja-"):
            env.update(LANG="ja_JP.UTF-8", LC_ALL="ja_JP.UTF-8", LANGUAGE="ja")
        dumps = []
        for index, script in enumerate(scripts):
            script_path = os.path.join(work, f"script{index}")
            with open(script_path, "w", encoding="utf-8") as f:
                f.write(script)
            proc = subprocess.run(
                [*runner, binary, "--headless", "--store", os.path.join(work, "store.db"), "--seed", "1",
                 "--script", script_path],
                capture_output=True, text=True, env=env, cwd=shots or work, timeout=300)
            if proc.returncode != 0:
                problems.append(f"run {index + 1}: exit status {proc.returncode}: {proc.stderr.strip()}")
            dumps += [json.loads(line) for line in proc.stdout.splitlines() if line.startswith("{")]
        if len(dumps) != len(expectations):
            problems.append(f"{len(dumps)} dumps, {len(expectations)} expected")
        for dump, expects in zip(dumps, expectations):
            for number, target, wanted in expects:
                try:
                    got = lookup(dump, target)
                except (KeyError, IndexError, ValueError):
                    problems.append(f"{number}: {target} is missing")
                    continue
                if windows and target in GLYPH_DEPENDENT:
                    ok = glyph_rule_holds(dump, target)
                elif isinstance(wanted, float) and isinstance(got, (int, float)):
                    ok = abs(got - wanted) <= 1e-3 * max(1.0, abs(wanted))
                else:
                    ok = got == wanted
                if not ok:
                    problems.append(f"{number}: {target} is {json.dumps(got, ensure_ascii=False)}, "
                                    f"expected {json.dumps(wanted, ensure_ascii=False)}")
    return problems


def main():
    args = sys.argv[1:]
    runner = ()
    if args and args[0] == "--windows":
        runner = ("wine",)
        args = args[1:]
    binary = os.path.abspath(args[0])
    scenarios = args[1:] or sorted(
        os.path.join(HERE, name) for name in os.listdir(HERE) if name.endswith(".scenario"))
    failed = 0
    for scenario in scenarios:
        problems = run(binary, scenario, runner)
        name = os.path.basename(scenario)
        if problems:
            failed += 1
            print(f"FAIL {name}")
            for p in problems:
                print(f"  {p}")
        else:
            print(f"ok   {name}")
    print(f"{len(scenarios) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
