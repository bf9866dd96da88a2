#!/usr/bin/env python3
"""Runs the automation scenarios: each *.scenario file is a script for `pemtrix --script`
with `expect PATH = JSON` lines after a `dump`; PATH is a dotted path into the dump
(`calculator.tape.0`). A `restart` line ends the program and starts it again on the same
store. Every scenario starts on a fresh store with a fixed random seed.

usage: run_scenarios.py PEMTRIX_BINARY [SCENARIO...]
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


def run(binary, scenario):
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
                [binary, "--headless", "--store", os.path.join(work, "store.db"), "--seed", "1",
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
                if isinstance(wanted, float) and isinstance(got, (int, float)):
                    ok = abs(got - wanted) <= 1e-3 * max(1.0, abs(wanted))
                else:
                    ok = got == wanted
                if not ok:
                    problems.append(f"{number}: {target} is {json.dumps(got, ensure_ascii=False)}, "
                                    f"expected {json.dumps(wanted, ensure_ascii=False)}")
    return problems


def main():
    binary = os.path.abspath(sys.argv[1])
    scenarios = sys.argv[2:] or sorted(
        os.path.join(HERE, name) for name in os.listdir(HERE) if name.endswith(".scenario"))
    failed = 0
    for scenario in scenarios:
        problems = run(binary, scenario)
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
