#!/bin/sh
# Usage: truthful_report.sh RUNNER BIN_DIR WORK_DIR
# What --generate reports is what made an input differ: a timeout is named,
# a difference that does not repeat is called flaky, a build that fails
# every run the same way is told once and not cut down, the header names the
# wrapper, progress reaches a log, and a missing reference build is one line.
runner=$1 bin=$2 work=$3
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "FAIL: $*"; exit 1; }
expect() { grep -qF -- "$1" "$2" || fail "$2 lacks: $1"; }
rm -rf "$work" && mkdir -p "$work/flaky" || exit 1

# A gcd_loop that sleeps on its first run only: the input it first ran
# differs by a timeout and agrees when run again.
cat >"$work/flaky/gcd_loop" <<EOF
#!/bin/sh
if [ ! -e "$work/ran" ]; then : >"$work/ran"; sleep 5; fi
exec "$bin/gcd_loop"
EOF
chmod +x "$work/flaky/gcd_loop"
"$runner" --generate 2 --seed 3 --timeout 1 --jobs 1 --filter '^gcd_loop$' --bin-dir "$work/flaky" \
  --against "$bin" --save-differences "$work/saved" --junit "$work/flaky.xml" >"$work/flaky.log"
status=$?
cat "$work/flaky.log"
[ $status = 1 ] || fail "flaky timeout: status $status, expected 1"
expect 'DIFFER gcd_loop: 1 of 2 inputs' "$work/flaky.log"
expect '  this build timed out on 1 of them' "$work/flaky.log"
expect '  flaky: input 0 agreed when run again' "$work/flaky.log"
expect 'not cut down (flaky)' "$work/flaky.log"
expect '  this build: timed out after 1 s of wall-clock time' "$work/flaky.log"
# The runs shown are the ones that differed, never two identical ones.
expect '  reference : exit status 0' "$work/flaky.log"
why="$work/saved/gcd_loop/generated_3_0.txt"
[ -f "$why" ] && [ -f "${why%.txt}.in" ] || fail "no saved input and description"
expect 'flaky: input 0 agreed when run again' "$why"
expect 'this build: timed out after 1 s' "$why"
expect 'flaky: input 0 agreed when run again' "$work/flaky.xml"
echo "a timeout on one run is named and called flaky"

# The same first-run sleep in a build with a planted fault: the flaky input
# is named, and the next smallest, whose difference repeats, is cut down;
# when that input first ran into the timeout, the report says so.
cat >"$work/slow_once.sh" <<EOF
#!/bin/sh
if [ ! -e "$work/ran_\$SEED" ]; then : >"$work/ran_\$SEED"; sleep 5; fi
exec sh "$here/planted_fault.sh" "\$@"
EOF
for seed in 1 4; do
  SEED=$seed "$runner" --generate 3 --seed $seed --timeout 1 --jobs 1 --filter '^gcd_loop$' \
    --bin-dir "$bin" --against "$bin" --wrapper "sh $work/slow_once.sh" >"$work/mixed_$seed.log"
  [ $? = 1 ] || fail "seed $seed: status not 1: $(cat "$work/mixed_$seed.log")"
  grep -q '^    stdout ".*!"$' "$work/mixed_$seed.log" || fail "seed $seed: the fault not shown"
done
cat "$work/mixed_1.log" "$work/mixed_4.log"
expect '  flaky: input 0 agreed when run again' "$work/mixed_1.log"
expect '  input 1 cut from ' "$work/mixed_1.log"
grep -q 'first ran' "$work/mixed_1.log" && fail "seed 1: the cut-down input never timed out"
expect '  input 0 cut from ' "$work/mixed_4.log"
expect '  when input 0 first ran: this build timed out after 1 s, reference exit status 0' \
  "$work/mixed_4.log"
grep -q 'flaky' "$work/mixed_4.log" && fail "seed 4: a repeated difference called flaky"
echo "a flaky input is passed over for one whose difference repeats"

# A wrapper that hangs on any input holding a '+': the timeout repeats, the
# input is cut down to one that still holds it, and the timeout is named.
cat >"$work/hang_on_plus.sh" <<'EOF'
#!/bin/sh
input=$(cat)
case "$input" in *+*) sleep 5 ;; esac
printf '%s' "$input" | "$@"
EOF
"$runner" --generate 10 --seed 1 --timeout 1 --jobs 2 --filter '^gcd_loop$' --bin-dir "$bin" \
  --against "$bin" --wrapper "sh $work/hang_on_plus.sh" --save-differences "$work/saved" \
  >"$work/hang.log"
status=$?
cat "$work/hang.log"
[ $status = 1 ] || fail "repeated timeout: status $status, expected 1"
expect "comparing $bin run under sh $work/hang_on_plus.sh against $bin:" "$work/hang.log"
expect 'DIFFER gcd_loop: 1 of 10 inputs' "$work/hang.log"
expect '  this build: timed out after 1 s of wall-clock time' "$work/hang.log"
grep -q '^  input 5 cut from 15 to [1-9][0-9]* bytes: ".*+' "$work/hang.log" ||
  fail "the timing-out input was not cut down to one that still holds a +"
grep -q 'flaky' "$work/hang.log" && fail "a repeated timeout called flaky"
expect 'this build: timed out after 1 s' "$work/saved/gcd_loop/generated_1_5.txt"
# Progress without a terminal: a line per program and per difference cut.
expect 'compared gcd_loop: 9 agreed, 1 differed' "$work/hang.log"
expect 'cutting down gcd_loop: input 5, 15 bytes' "$work/hang.log"
expect 'cut down gcd_loop: input 5 from 15 to' "$work/hang.log"
echo "a repeated timeout is named, cut down and saved"

# A wrapper that cannot start anything: every run ends with status 127 and no
# output, told once for all three programs and never cut down.
printf '#!/bin/sh\necho "cannot start $1" >&2\nexit 127\n' >"$work/broken.sh"
"$runner" --generate 5 --filter '^(gcd_loop|gcd_pairs|swap_two)$' --bin-dir "$bin" \
  --against "$bin" --wrapper "sh $work/broken.sh" --save-differences "$work/broken" \
  >"$work/broken.log"
status=$?
cat "$work/broken.log"
[ $status = 1 ] || fail "broken wrapper: status $status, expected 1"
expect "comparing $bin run under sh $work/broken.sh against $bin:" "$work/broken.log"
[ "$(grep -c 'every run of this build failed' "$work/broken.log")" = 1 ] ||
  fail "the one cause was not told exactly once"
expect '3 programs: every run of this build failed before any output, the same way: exit status 127' \
  "$work/broken.log"
for program in gcd_loop gcd_pairs swap_two; do
  expect "DIFFER $program: 5 of 5 inputs" "$work/broken.log"
done
grep -q 'cutting down\|cut from' "$work/broken.log" && fail "a broken build's inputs were cut down"
[ -e "$work/broken" ] && fail "a broken build's inputs were saved"
grep -qx '0 agreed, 15 differed' "$work/broken.log" || fail "broken wrapper: wrong totals"
echo "a wholly broken build is told once"

# No reference build: one line, however many programs it lacks.
mkdir -p "$work/partial" && cp "$bin/gcd_loop" "$work/partial/"
"$runner" --generate 2 --bin-dir "$bin" --against "$work" >/dev/null 2>"$work/none.err"
status=$?
[ $status = 2 ] && [ "$(wc -l <"$work/none.err")" = 1 ] || fail "no reference: $(cat "$work/none.err")"
expect 'holds none of the programs (name the reference build with --against DIR)' "$work/none.err"
"$runner" --generate 2 --bin-dir "$bin" --against "$work/partial" --filter '^gcd_' \
  >/dev/null 2>"$work/partial.err"
status=$?
[ $status = 2 ] && [ "$(wc -l <"$work/partial.err")" = 1 ] || fail "partial: $(cat "$work/partial.err")"
expect "the reference build $work/partial lacks gcd_pairs" "$work/partial.err"
echo "a reference build without the programs is one line"
