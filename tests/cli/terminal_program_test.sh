#!/bin/sh
# quillpad-cli at a terminal, as a person uses it: the real program in tmux,
# keys typed with send-keys, the screen read with capture-pane.
# Usage: terminal_program_test.sh PROGRAM
cli=$1
tmp=$(mktemp -d)
runs=0
fail=0
# Each run has a tmux server of its own, ended by its socket.
tm() { tmux -L "quill-test-$$-$runs" "$@"; }
cleanup() { tm kill-server 2>/dev/null; rm -rf "$tmp"; }
trap cleanup EXIT

# start [STATE [ARGS [BEFORE]]]: a new server and session running the program
# with its history under STATE (default $tmp/state), after the shell command
# BEFORE; the pane stays after it ends.
start() {
    tm kill-server 2>/dev/null
    runs=$((runs + 1))
    tm new-session -d -x 100 -y 30 "${3:-} env XDG_STATE_HOME='${1:-$tmp/state}' '$cli' ${2:-}; echo '[ended]'; sleep 60"
}
# shows TEXT: waits up to 5 s until the screen's last lines hold TEXT.
shows() {
    i=0
    while [ $i -lt 50 ]; do
        if tm capture-pane -p | grep -v '^$' | tail -n "${2:-1}" | grep -qF -- "$1"; then return 0; fi
        sleep 0.1; i=$((i + 1))
    done
    echo "FAIL: the screen does not show '$1':"; tm capture-pane -p | grep -v '^$' | tail -n 5
    fail=1
}
# ends LINE...: waits up to 5 s until the screen's last lines are LINE...,
# exactly. Keys go on only after a new prompt (">"): between two lines the
# terminal is not the line editor's, and keys typed then are echoed raw.
ends() {
    want=$(printf '%s\n' "$@")
    i=0
    while [ $i -lt 50 ]; do
        if [ "$(tm capture-pane -p | grep -v '^$' | tail -n $#)" = "$want" ]; then return 0; fi
        sleep 0.1; i=$((i + 1))
    done
    echo "FAIL: the screen does not end in '$*':"; tm capture-pane -p | grep -v '^$' | tail -n 5
    fail=1
}

start
ends ">"
tm send-keys "2*3" Enter;                  ends "> 2*3" "6" ">"
tm send-keys Up;                           ends "> 2*3"
tm send-keys Left BSpace "+" Enter;        ends "> 2+3" "5" ">"   # Left and Backspace edit
tm send-keys F5 "1" Enter;                 ends "> 1" "1" ">"     # no part of F5 is typed
tm send-keys Up Home "-" Enter;            ends "> -1" "-1" ">"
tm send-keys "2+2" Home Delete "3" End BSpace "5" Enter; ends "> 3+5" "8" ">"
tm send-keys "9+9" C-c;                    ends "8" ">" ">"       # the line is dropped
tm send-keys C-r "2+";                     shows "> 2+3" 2        # Ctrl+R searches back
tm send-keys Enter;                        ends "5" ">"
tm send-keys C-d;                          shows "[ended]"
if tm capture-pane -p | grep -qE "Unknown|^18$"; then
    echo "FAIL: an escape sequence or a dropped line reached the checker"; fail=1
fi

# The history survives a restart.
start
ends ">"
tm send-keys Up;                           ends "> 2+3"
tm send-keys Up;                           ends "> 3+5"
tm send-keys Enter;                        ends "> 3+5" "8" ">"
tm send-keys C-d;                          shows "[ended]"

# The last 1,000 lines are kept.
{ echo "_HiStOrY_V2_"; seq 1 1500; } > "$tmp/state/quillpad/history"
start
ends ">"
tm send-keys "7*7" Enter;                  ends "> 7*7" "49" ">"
tm send-keys C-d;                          shows "[ended]"
kept=$(wc -l < "$tmp/state/quillpad/history")
[ "$kept" -le 1001 ] || { echo "FAIL: the history keeps $kept lines"; fail=1; }
tail -n 1 "$tmp/state/quillpad/history" | grep -qx '7\*7' || { echo "FAIL: the newest line is not last"; fail=1; }

# A link in the history's place is not followed: its target stays as it was.
mkdir -p "$tmp/linked/quillpad"
printf 'precious\n' > "$tmp/target"
chmod 644 "$tmp/target"
ln -s "$tmp/target" "$tmp/linked/quillpad/history"
start "$tmp/linked"
ends ">"
tm send-keys "1+1" Enter;                  ends "> 1+1" "2" ">"
tm send-keys C-d;                          shows "[ended]"
[ "$(cat "$tmp/target")" = precious ] || { echo "FAIL: the link's target was written"; fail=1; }
[ "$(stat -c %a "$tmp/target")" = 644 ] || { echo "FAIL: the link's target changed its mode"; fail=1; }
[ -L "$tmp/linked/quillpad/history" ] || { echo "FAIL: the link was replaced"; fail=1; }

# A FIFO in its place is not waited on: the prompt comes at once.
mkdir -p "$tmp/fifo/quillpad"
mkfifo "$tmp/fifo/quillpad/history"
start "$tmp/fifo"
ends ">"
tm send-keys "2+2" Enter;                  ends "> 2+2" "4" ">"
tm send-keys C-d;                          shows "[ended]"

# Two terminals at once: each line typed in either is kept.
start "$tmp/two"
ends ">"
tm new-window -d -t "=0:" "env XDG_STATE_HOME='$tmp/two' '$cli'; echo '[ended]'; sleep 60"
other() { tm send-keys -t "=0:1" "$@"; }
tm send-keys -t "=0:0" "1000+1" Enter;     ends "> 1000+1" "1001" ">"
other "2000+1" Enter
# Its prompt comes once its line is saved.
i=0; until tm capture-pane -p -t "=0:1" | grep -v '^$' | tail -n 2 | tr '\n' ' ' | grep -q '^2001 > $' || [ $i -ge 50 ]; do sleep 0.1; i=$((i + 1)); done
tm send-keys -t "=0:0" "1000+2" Enter;     ends "> 1000+2" "1002" ">"
for line in 1000+1 2000+1 1000+2; do
    grep -qxF "$line" "$tmp/two/quillpad/history" || { echo "FAIL: the history lost $line"; fail=1; }
done

# The answer shows before the history is saved: while another session holds
# the history's lock, the answer is there and the prompt waits (at most two
# seconds); the line is saved with the next one.
mkdir -p "$tmp/held/quillpad"
start "$tmp/held"
ends ">"
flock "$tmp/held/quillpad/history.lock" sleep 4 &
holder=$!
sleep 0.3
tm send-keys "6*7" Enter;                  ends "> 6*7" "42"
tm send-keys "";                           ends "> 6*7" "42" ">"
wait $holder
tm send-keys "1+1" Enter;                  ends "> 1+1" "2" ">"
for line in '6\*7' '1+1'; do
    grep -qx "$line" "$tmp/held/quillpad/history" || { echo "FAIL: the held history lost $line"; fail=1; }
done

# Under a file-size limit the session answers on; the history stays whole.
mkdir -p "$tmp/limit/quillpad"
{ echo "_HiStOrY_V2_"; seq 1 3000; } > "$tmp/limit/quillpad/history"
cp "$tmp/limit/quillpad/history" "$tmp/limit.before"
start "$tmp/limit" "" "ulimit -f 4;"
ends ">"
tm send-keys "1+1" Enter;                  ends "> 1+1" "2" ">"
tm send-keys "2+2" Enter;                  ends "> 2+2" "4" ">"
tm send-keys C-d;                          shows "[ended]"
cmp -s "$tmp/limit/quillpad/history" "$tmp/limit.before" || { echo "FAIL: the limited history changed"; fail=1; }

# A 28 MB history of long lines: read, answered at once, and kept small
# (an entry longer than 4 KB is not stored).
mkdir -p "$tmp/large/quillpad"
{ echo "_HiStOrY_V2_"; for i in 1 2 3 4 5 6 7; do head -c 4000000 /dev/zero | tr '\0' '1'; echo; done; echo "5+5"; } \
    > "$tmp/large/quillpad/history"
start "$tmp/large"
ends ">"
tm send-keys "3+3" Enter;                  ends "> 3+3" "6" ">"
tm send-keys Up Up;                        ends "> 5+5"
tm send-keys Enter;                        ends "> 5+5" "10" ">"
tm send-keys C-d;                          shows "[ended]"
[ "$(wc -c < "$tmp/large/quillpad/history")" -lt 100 ] || { echo "FAIL: the long lines were kept"; fail=1; }

# A CR LF history is read without its CRs.
mkdir -p "$tmp/crlf/quillpad"
printf '_HiStOrY_V2_\r\n1+1\r\n2+2\r\n' > "$tmp/crlf/quillpad/history"
start "$tmp/crlf"
ends ">"
tm send-keys Up "*3" Enter;                ends "> 2+2*3" "8" ">"
tm send-keys C-d;                          shows "[ended]"

# Answers written to a file carry no prompt: one line per expression.
start "$tmp/state" "--tsv > '$tmp/out.tsv'"
tm send-keys "1+2" Enter "2*" Enter C-d;   shows "[ended]"
printf '1+2\n2*\n' | "$cli" --tsv > "$tmp/want.tsv"   # as from a pipe
cmp -s "$tmp/out.tsv" "$tmp/want.tsv" || { echo "FAIL: --tsv > file wrote:"; od -c "$tmp/out.tsv" | head -5; fail=1; }

[ $fail = 0 ] && echo "quillpad-cli at a terminal: all passed"
exit $fail
