#!/bin/sh
# The real quillpad-cli program: streams and exit statuses as a script sees them.
# Usage: cli_program_test.sh "COMMAND"   (the command may carry a runner, e.g. Wine)
cli=$1
fail=0
check() { # expected-status expected-stdout command-args...
    want_status=$1; want_out=$2; shift 2
    out=$(eval "$cli" "$@" 2>/dev/null | tr -d '\r'); status=$?
    # The pipeline's status is tr's; ask again for the program's own.
    eval "$cli" "$@" >/dev/null 2>&1; status=$?
    if [ "$status" != "$want_status" ] || [ "$out" != "$want_out" ]; then
        echo "FAIL: $* -> status $status, output '$out' (wanted $want_status, '$want_out')"
        fail=1
    fi
}
check 0 "14" "'2+3*4'"
check 0 "-4" -- "'-2^2'"
check 1 "" "'2=3'"
check 1 "" "'1/0'"
check 2 "" --round 12 1
check 0 "0xff" --format hex 255
out=$(printf '1+1\r\n2*3\n' | eval "$cli" --tsv | tr -d '\r')
[ "$out" = "$(printf 'ok\t2\nok\t6')" ] || { echo "FAIL: standard input gave '$out'"; fail=1; }
err=$(eval "$cli" "'2=3'" 2>&1 >/dev/null | tr -d '\r')
[ "$err" = "$(printf "2=3\n ~\nUnknown symbol '='")" ] || { echo "FAIL: standard error gave '$err'"; fail=1; }
[ $fail = 0 ] && echo "quillpad-cli program: all passed"
exit $fail
