#!/bin/sh
# Usage: compare_builds.sh RUNNER BIN_DIR WORK_DIR
# Two identical builds agree on every generated input; a build with a
# planted fault is caught from a fixed seed, and its difference cut down to a
# few tokens that still show it.
runner=$1 bin=$2 work=$3
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "FAIL: $*"; exit 1; }
rm -rf "$work" && mkdir -p "$work/copy" || exit 1
cp "$bin"/* "$work/copy/"

"$runner" --generate 60 --seed 3 --jobs 2 --bin-dir "$work/copy" --against "$bin" >"$work/same.log"
status=$?
tail -n 1 "$work/same.log"
[ $status = 0 ] || fail "identical builds: status $status"
grep -qx '1620 agreed, 0 differed' "$work/same.log" || fail "identical builds did not agree on all 1620"

programs='^(swap_two|merge_sort_list|gcd_pairs)$'
"$runner" --generate 60 --seed 1 --jobs 2 --bin-dir "$bin" --against "$bin" --filter "$programs" \
  --wrapper "$here/planted_fault.sh" --save-differences "$work/found" >"$work/fault.log"
status=$?
cat "$work/fault.log"
[ $status = 1 ] || fail "planted fault: status $status, expected 1"
grep -qE '^[0-9]+ agreed, [1-9][0-9]* differed$' "$work/fault.log" || fail "no difference counted"
for program in swap_two merge_sort_list gcd_pairs; do
  saved=$(ls "$work/found/$program"/*.in 2>/dev/null | head -n 1)
  [ -n "$saved" ] || fail "$program: no reduced input saved"
  tokens=$(wc -w <"$saved")
  [ "$tokens" -le 3 ] || fail "$program: reduced input has $tokens tokens: $(cat "$saved")"
  grep -q 2147483647 "$saved" || fail "$program: reduced input lost the value: $(cat "$saved")"
  # Still shows the difference, and our build accepts it.
  ours=$("$bin/$program" <"$saved" 2>&1)
  faulty=$("$here/planted_fault.sh" "$bin/$program" <"$saved" 2>&1)
  [ "$ours" != "$faulty" ] || fail "$program: reduced input shows no difference"
  case "$ours" in *"$program: "*) fail "$program: our build rejects the reduced input" ;; esac
done
echo "planted fault found and cut down in every program"

# A program missing from the build under test differs on every input; a bad
# filter, or a difference that cannot be saved, is an error (status 2).
rm "$work/copy/gcd_loop"
"$runner" --generate 5 --bin-dir "$work/copy" --against "$bin" --filter '^gcd_' >"$work/missing.log"
[ $? = 1 ] && grep -qx 'DIFFER gcd_loop: not in .*' "$work/missing.log" &&
  grep -qx '5 agreed, 5 differed' "$work/missing.log" || fail "a missing program was not counted"
"$runner" --generate 5 --bin-dir "$bin" --against "$bin" --filter '(' 2>/dev/null
[ $? = 2 ] || fail "a bad filter was not an error"
: >"$work/not-a-folder"
"$runner" --generate 60 --seed 1 --bin-dir "$bin" --against "$bin" --filter '^swap_two$' \
  --wrapper "$here/planted_fault.sh" --save-differences "$work/not-a-folder" >/dev/null
[ $? = 2 ] || fail "a difference that could not be saved was not an error"
echo "missing programs, bad filters and unwritable folders reported"
