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

# start [STATE [ARGS]]: a new server and session running the program with
# its history under STATE (default $tmp/state); the pane stays after it ends.
start() {
    tm kill-server 2>/dev/null
    runs=$((runs + 1))
    tm new-session -d -x 100 -y 30 "env XDG_STATE_HOME='${1:-$tmp/state}' '$cli' ${2:-}; echo '[ended]'; sleep 60"
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
i=0; until tm capture-pane -p -t "=0:1" | grep -q 2001 || [ $i -ge 50 ]; do sleep 0.1; i=$((i + 1)); done
tm send-keys -t "=0:0" "1000+2" Enter;     ends "> 1000+2" "1002" ">"
for line in 1000+1 2000+1 1000+2; do
    grep -qxF "$line" "$tmp/two/quillpad/history" || { echo "FAIL: the history lost $line"; fail=1; }
done

# Answers written to a file carry no prompt: one line per expression.
start "$tmp/state" "--tsv > '$tmp/out.tsv'"
tm send-keys "1+2" Enter "2*" Enter C-d;   shows "[ended]"
printf '1+2\n2*\n' | "$cli" --tsv > "$tmp/want.tsv"   # as from a pipe
cmp -s "$tmp/out.tsv" "$tmp/want.tsv" || { echo "FAIL: --tsv > file wrote:"; od -c "$tmp/out.tsv" | head -5; fail=1; }

[ $fail = 0 ] && echo "quillpad-cli at a terminal: all passed"
exit $fail
