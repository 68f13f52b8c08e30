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

# start: a new server and session running the program (the pane stays
# after it ends).
start() {
    tm kill-server 2>/dev/null
    runs=$((runs + 1))
    tm new-session -d -x 100 -y 30 "env XDG_STATE_HOME='$tmp/state' '$cli'; echo '[ended]'; sleep 60"
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

start
shows ">"
tm send-keys "2*3" Enter;                  shows "6" 2
tm send-keys Up;                           shows "> 2*3"
tm send-keys Left BSpace "+" Enter;        shows "5" 2          # Left and Backspace edit
tm send-keys F5 "1" Enter;                 shows "> 1" 3        # no part of F5 is typed
tm send-keys Up Home "-" Enter;            shows "-1" 2
tm send-keys "2+2" Home Delete "3" End BSpace "5" Enter; shows "8" 2
tm send-keys "9+9" C-c;                    shows ">" 1          # the line is dropped
tm send-keys C-r "2+";                     shows "> 2+3" 2      # Ctrl+R searches back
tm send-keys Enter;                        shows "5" 2
tm send-keys C-d;                          shows "[ended]"
if tm capture-pane -p | grep -qE "Unknown|^18$"; then
    echo "FAIL: an escape sequence or a dropped line reached the checker"; fail=1
fi

# The history survives a restart.
start
shows ">"
tm send-keys Up;                           shows "> 2+3"
tm send-keys Up;                           shows "> 3+5"
tm send-keys Enter;                        shows "8" 2
tm send-keys C-d;                          shows "[ended]"

# The last 1,000 lines are kept.
{ echo "_HiStOrY_V2_"; seq 1 1500; } > "$tmp/state/quillpad/history"
start
shows ">"
tm send-keys "7*7" Enter;                  shows "49" 2
tm send-keys C-d;                          shows "[ended]"
kept=$(wc -l < "$tmp/state/quillpad/history")
[ "$kept" -le 1001 ] || { echo "FAIL: the history keeps $kept lines"; fail=1; }
tail -n 1 "$tmp/state/quillpad/history" | grep -qx '7\*7' || { echo "FAIL: the newest line is not last"; fail=1; }

[ $fail = 0 ] && echo "quillpad-cli at a terminal: all passed"
exit $fail
