#!/usr/bin/env bash
# The Windows program's command line under a Wine of its own: the same outputs, byte for byte,
# and the same exit statuses as the Linux program given the same arguments and input; the
# store in the registry; scripts named in UTF-8. Exits 77 (skipped) when the cross compiler or
# Wine is missing.
# usage: cli_test.sh SOURCE_DIR WINDOWS_BUILD_DIR LINUX_PEMTRIX
set -u
source_dir=$(cd "$1" && pwd)
build_dir=$2
linux=$3
exe=$build_dir/pemtrix.exe

command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 ||
  { echo "the mingw-w64 cross compiler is not installed: skipped"; exit 77; }
source "$source_dir/tests/windows/wine-env.sh"
"$source_dir/tools/build-windows" "$build_dir" >"$WINE_ENV_DIR/build.log" 2>&1 ||
  { tail -n 40 "$WINE_ENV_DIR/build.log"; exit 1; }
wine_env_start || exit 1
work=$WINE_ENV_DIR/work
mkdir -p "$work"

passed=0 failed=0
pass() { passed=$((passed + 1)); }
fail() {
  echo "FAIL $1"
  failed=$((failed + 1))
}

# run OUT INPUT -- command...: standard output, error and the status into OUT.{out,err,status}.
run() {
  local out=$1 input=$2
  shift 3
  "$@" <"$input" >"$out.out" 2>"$out.err"
  echo $? >"$out.status"
}

# same NAME INPUT ARGUMENT...: Linux and Windows print the same bytes on standard output and
# exit with the same status. Each has a fresh store of its own.
same() {
  local name=$1 input=$2
  shift 2
  run "$work/$name.linux" "$input" -- "$linux" --store "$work/linux.db" "$@"
  run "$work/$name.windows" "$input" -- wine "$exe" --store cli-test-eval "$@"
  if cmp -s "$work/$name.linux.out" "$work/$name.windows.out" &&
     cmp -s "$work/$name.linux.status" "$work/$name.windows.status"; then
    pass
  else
    fail "$name: Linux exits $(cat "$work/$name.linux.status"), Windows $(cat "$work/$name.windows.status")"
    diff <(od -c "$work/$name.linux.out") <(od -c "$work/$name.windows.out") | head -n 20
    head -n 5 "$work/$name.windows.err"
  fi
}

# expect NAME STATUS OUTPUT INPUT ARGUMENT...: the Windows program alone.
expect() {
  local name=$1 status=$2 output=$3 input=$4
  shift 4
  run "$work/$name" "$input" -- wine "$exe" "$@"
  if [[ $(cat "$work/$name.status") == "$status" ]] && cmp -s "$work/$name.out" <(printf '%s' "$output"); then
    pass
  else
    fail "$name: status $(cat "$work/$name.status") (want $status), output '$(cat "$work/$name.out")' (want '$output')"
    head -n 5 "$work/$name.err"
  fi
}

# Expressions where the two systems' libraries could part: parsing and printing of numbers,
# the ends of the double range, the mathematical functions, and errors. Arguments with blanks,
# quotes, backslashes and non-ASCII bytes test how the command line is split and converted.
expressions=(
  1+2 'Ans*1000' 'sqrt(2)' 2+ 0.1+0.2 1/3 2/3*3 .5 5. 1.5e3 "1'234'567" 123456789012345678
  1e308*10 -1e308*10 0/0 1e400 1e-400 1e-320 4.9e-324 2.2250738585072014e-308 1.7976931348623157e308
  9007199254740993 0.30000000000000004 123456.7890123456 1e15 1e16 1e-5 1e-4 -0 '-(0)'
  Pi 'sin(30deg)' 'cos(Pi)' 'tan(45deg)' 'asin(1)' 'acos(-1)' 'atan(1)' 'atan(1,2)' 'sin(1000)'
  'asin(2)' 'acos(-2)' 'ln(-1)' 'log(-1)' 'cubert(-8)' 'sqrt(-1)' 'sin(1e22)' 'cos(1e22)' 'tan(1e300)'
  'hypsin(1)' 'hypcos(1)' 'hyptan(1)' 'log(1000)' 'log(2)' 'ln(10)' 'exp(1)' 'exp(709)' 'exp(710)'
  'sq(1.1)' 'cube(3)' 'cubert(27)' 'cubert(0)' 'fact(20)' 'fact(170)' 'fact(171)' 'int(-2.5)'
  'pow(2,0.5)' 'pow(-8,1/3)' 'pow(10,-300)' 'perm(10,3)' 'comb(52,5)' 'gcd(12,18)' 'lcm(4,6)'
  'avg(1,2,3,4)' 'stdevp(1,2,3,4)' 'stdev(1,2,3,4)' 'sqsum(1,2,3)' '50%' 'sqrt(-1)' 'log(0)'
  '2 + 3' 2Pi 5,3 1.2.3 '' 'a"b' '\' '"quoted"' 'C:\dir\' $'\xc3\xa9' $'\xe6\x97\xa5' --2
)
same eval-arguments /dev/null --eval "${expressions[@]}"
same eval-ok /dev/null --eval 1+2 'Ans*1000'
same seeded-rand /dev/null --seed 42 --eval 'rand()' 'rand()' 'rand()'

# Standard input: LF or CR LF line ends give the same LF-ended output; a last line without
# a line end still counts; empty lines give errors.
printf '%s\n' "${expressions[@]}" >"$work/lf.txt"
printf '%s\r\n' "${expressions[@]}" >"$work/crlf.txt"
printf '2*2\n\nAns*2\r\n\r\n3' >"$work/mixed.txt"
same eval-stdin-lf "$work/lf.txt" --eval -
same eval-stdin-crlf "$work/crlf.txt" --eval -
same eval-stdin-mixed "$work/mixed.txt" --eval -
if cmp -s "$work/eval-stdin-lf.windows.out" "$work/eval-stdin-crlf.windows.out"; then pass; else
  fail "CR LF input gives other output than LF input"
fi
if grep -q $'\r' "$work/eval-stdin-crlf.windows.out"; then fail "a CR in the output of --eval -"; else pass; fi

expect version 0 $'pemtrix 1.000\n' /dev/null --version
same help /dev/null --help
same usage-error /dev/null --frobnicate
same eval-needs-arguments /dev/null --eval
same bad-seed /dev/null --seed 4294967296 --eval 1
if cmp -s "$work/usage-error.linux.err" "$work/usage-error.windows.err"; then pass; else
  fail "usage error: Linux says '$(cat "$work/usage-error.linux.err")', Windows '$(cat "$work/usage-error.windows.err")'"
fi

# A store name keeps its values in its own registry key from one run to the next: digit
# grouping, switched off by one run, is off in the next and still on in the default store.
printf 'setint CommaSep 0\n' >"$work/grouping-off.script"
expect store-write 0 "" /dev/null --store cli-test-store --headless --script "$work/grouping-off.script"
expect store-read 0 $'1000\n' /dev/null --store cli-test-store --eval 1000
expect store-default 0 $'1\'000\n' /dev/null --eval 1000
if wine reg query 'HKCU\Software\Pemtrix\Stores\cli-test-store' /v CommaSep 2>/dev/null | grep -q 'REG_DWORD.*0x0'; then
  pass
else
  fail "the store name's key holds no CommaSep of 0"
fi

# As a user has it: the program and its resources copied into a folder whose name is not
# ASCII, away from the build tree. A headless script whose name is not ASCII either runs to the
# end there, and finds every image and the sound beside the program without a word on
# standard error.
installed=$work/$'Pemtrix \xc3\xbc\xe6\x97\xa5'
mkdir -p "$installed" && cp "$exe" "$installed/" && cp -r "$build_dir/resources" "$installed/"
script=$work/$'sc\xc3\xa9nario-\xe6\x97\xa5.script'
printf 'text 1+2=\nframes 3\npress num-7\ndump\n' >"$script"
run "$work/script" /dev/null -- wine "$installed/pemtrix.exe" --store cli-test-script --headless --script "$script"
if [[ $(cat "$work/script.status") == 0 && ! -s $work/script.err ]] &&
   grep -q '"expression":"7".*"history":\["3","1+2"\]' "$work/script.out"; then
  pass
else
  fail "a copy in a folder named in UTF-8: status $(cat "$work/script.status"), $(head -c 300 "$work/script.out") $(cat "$work/script.err")"
fi
# A bad line stops a script with its name and line number; a missing script is an error too.
printf 'touch 400 1000\ntap 400 nan\n' >"$work/bad.script"
run "$work/bad-line" /dev/null -- wine "$exe" --store cli-test-script --headless --script "$work/bad.script"
if [[ $(cat "$work/bad-line.status") == 1 ]] && grep -q 'bad.script:2: ' "$work/bad-line.err"; then pass; else
  fail "bad script line: status $(cat "$work/bad-line.status"), stderr $(cat "$work/bad-line.err")"
fi
expect missing-script 1 "" /dev/null --store cli-test-script --headless --script "$work/none.script"

# Started from a terminal, where Wine gives it the handles of a console (as Windows gives a
# console's program), the results show in that console, and the status is the program's.
if command -v script >/dev/null 2>&1; then
  script -qec "wine '$exe' --store cli-test-eval --eval 1+2 2+; echo status=\$?" /dev/null </dev/null >"$work/console.raw" 2>&1
  # What the console drew, without its cursor and erasing sequences and its carriage returns.
  sed -e 's/\x1b\[[0-9;?]*[A-Za-z]//g' -e 's/\r//g' "$work/console.raw" >"$work/console.out"
  if cmp -s "$work/console.out" <(printf '3\nError.\nstatus=1\n'); then pass; else
    fail "console: $(cat -v "$work/console.out")"
  fi
fi

echo "windows cli: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
