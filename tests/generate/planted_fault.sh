#!/bin/sh
# A build that differs from ours only on inputs holding the text 2147483647:
# it runs our program and then prints one more byte.
input=$(mktemp)
trap 'rm -f "$input"' EXIT
cat >"$input"
"$@" <"$input"
status=$?
if grep -q 2147483647 "$input"; then printf '!'; fi
exit $status
