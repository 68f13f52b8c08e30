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
version=$(eval "$cli" --version | tr -d '\r')
case "$version" in "quillpad-cli "[0-9]*.[0-9]*) ;; *) echo "FAIL: --version gave '$version'"; fail=1 ;; esac

# No prompt where no person types: a device such as NUL (which Windows
# calls a terminal) gives no line, so no output at all.
out=$(eval "$cli" --tsv < /dev/null | wc -c)
[ "$out" = 0 ] || { echo "FAIL: --tsv < /dev/null wrote $out bytes"; fail=1; }

# A settings file whose name is outside the ANSI code page (rounding 2);
# the name reaches a Windows program whole as UTF-16.
named=$(mktemp -d)
python3 -c "import struct, sys; sys.stdout.buffer.write(struct.pack('<Biiiii', 1, 0, 2, 0, 0, 0) + b'\x07Verdana' + struct.pack('<iBi', -13, 0, 0) + b'\0\0')" > "$named/Калькулятор.dat"
out=$(LC_ALL=C.UTF-8 eval "$cli" --settings "$named/Калькулятор.dat" 1/3 2>&1 | tr -d '\r')
[ "$out" = "0.33" ] || { echo "FAIL: --settings Калькулятор.dat gave '$out'"; fail=1; }
rm -rf "$named"

# trouble STATUS-COMMAND: the command exits 2 with one line on standard error.
trouble() {
    err=$(eval "$@" 2>&1 >/dev/null); status=$?
    lines=$(printf '%s\n' "$err" | wc -l)
    if [ "$status" != 2 ] || [ "$lines" != 1 ] || [ "${err#quillpad-cli: }" = "$err" ]; then
        echo "FAIL: $* -> status $status, standard error '$err'"
        fail=1
    fi
}
case "$cli" in
*wine-run.sh*) ;; # Linux's own devices, FIFOs and limits
*)
    trouble "$cli" 1+1 ">/dev/full"
    trouble "seq 100000 | $cli --tsv >/dev/full"
    trouble "$cli <"/
    for settings in / /dev/zero /dev/urandom /proc/self/mem; do
        trouble timeout 5 "$cli" --settings "$settings" 1
    done
    tmp=$(mktemp -d)
    mkfifo "$tmp/fifo"
    trouble timeout 5 "$cli" --settings "$tmp/fifo" 1
    if [ -z "$QUILL_NO_MEMORY_LIMIT" ]; then
        # A huge file is not read: 600 MB is refused at once, in 50 MB of
        # memory, and left as it is.
        truncate -s 600M "$tmp/big"
        trouble "(ulimit -v 50000; $cli --settings $tmp/big 2/3)"
        [ "$(stat -c %s "$tmp/big")" = 629145600 ] || { echo "FAIL: the 600 MB file changed"; fail=1; }
        # Out of memory loses that line only.
        python3 -c "import sys; n = 30000000; sys.stdout.write('(' * n + '1' + ')' * n + '\n2+2\n')" > "$tmp/deep"
        out=$( (ulimit -v 150000; "$cli" --tsv < "$tmp/deep") ); status=$?
        if [ "$status" != 1 ] || [ "$out" != "$(printf 'error\tOut of memory\t\t\nok\t4')" ]; then
            echo "FAIL: a line too deep for memory -> status $status, '$out'"; fail=1
        fi
    fi
    rm -rf "$tmp"
    ;;
esac

[ $fail = 0 ] && echo "quillpad-cli program: all passed"
exit $fail
