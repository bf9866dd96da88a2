#!/usr/bin/env bash
# Whole-process checks of the command line: outputs and exit statuses.
set -u
bin=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
store=(--store "$work/store.db")
failures=0
check() {  # check NAME EXPECTED_STATUS EXPECTED_OUTPUT -- command...
  local name=$1 want_status=$2 want_out=$3
  shift 4
  local out status
  out=$("$@" 2>"$work/err")
  status=$?
  if [[ $status -ne $want_status || "$out" != "$want_out" ]]; then
    echo "FAIL $name: status $status (want $want_status), output '$out' (want '$want_out')"
    cat "$work/err"
    failures=$((failures + 1))
  fi
}
check version 0 "pemtrix 1.000" -- "$bin" --version
check eval-args 0 $'3\n3\'000' -- "$bin" "${store[@]}" --eval 1+2 'Ans*1000'
check eval-error 1 $'Error.\n5' -- "$bin" "${store[@]}" --eval 2+ 5
check eval-stdin 0 $'4\n8' -- bash -c "printf '2*2\nAns*2\n' | '$bin' --store '$work/store.db' --eval -"
check seeded-rand 0 "$("$bin" "${store[@]}" --seed 42 --eval 'rand()')" -- "$bin" "${store[@]}" --seed 42 --eval 'rand()'
check usage 2 "" -- "$bin" --frobnicate
check eval-needs-arg 2 "" -- "$bin" --eval
check help 0 "$("$bin" --help)" -- "$bin" --help
grep -q 'usage: pemtrix' <("$bin" --help) || { echo "FAIL help text"; failures=$((failures + 1)); }
# Grouping follows the store: off after it is written as 0.
sqlite3 "$work/store.db" "INSERT OR REPLACE INTO entries VALUES('CommaSep', 0)" 2>/dev/null &&
  check grouping-off 0 "1000" -- "$bin" "${store[@]}" --eval 1000
# A bad script line stops the script with its file and line; coordinates beyond any float
# range are bad lines too.
for bad in "drag 400 1e300" "tap 1e39 5" "touch 400 -1e300" "tap 400 nan" "frames x" \
    "wheel 400 1000" "wheel 400 1000 1 2 3" "wheel 400 1000 inf" "wheel 400 1000 1 1e300" "wheel 1e39 0 1"; do
  printf 'touch 400 1000\n%s\n' "$bad" >"$work/bad.script"
  "$bin" "${store[@]}" --headless --script "$work/bad.script" >/dev/null 2>"$work/err"
  status=$?
  if [[ $status -ne 1 ]] || ! grep -q "bad.script:2: " "$work/err"; then
    echo "FAIL bad script line '$bad': status $status, stderr: $(cat "$work/err")"
    failures=$((failures + 1))
  fi
done
[[ $failures -eq 0 ]] && echo "cli: all passed"
exit $failures
