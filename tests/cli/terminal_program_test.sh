#!/bin/sh
# quillpad-cli at a terminal, as a person uses it: the real program in tmux,
# keys typed with send-keys, the screen read with capture-pane.
# Usage: terminal_program_test.sh PROGRAM
cli=$1
tmp=$(mktemp -d)
runs=0
fail=0
# Each run has a tmux server of its own, ended by its socket; its terminals
# are UTF-8.
tm() { tmux -u -L "quill-test-$$-$runs" "$@"; }
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
# editing: waits up to 5 s until the program's terminal echoes nothing of
# itself: the line editor has taken it. The editor draws its prompt a moment
# before it takes the terminal, and keys typed in between are echoed twice.
editing() {
    pty=$(tm display -p '#{pane_tty}')
    i=0
    while [ $i -lt 50 ]; do
        if stty -F "$pty" -a 2>/dev/null | grep -qw -- -echo; then return 0; fi
        sleep 0.1; i=$((i + 1))
    done
    echo "FAIL: the line editor did not take the terminal"; fail=1
}
# ends LINE...: waits up to 5 s until the screen's last lines are LINE...,
# exactly. Keys go on only after a new prompt (">"): between two lines the
# terminal is not the line editor's, and keys typed then are echoed raw.
ends() {
    want=$(printf '%s\n' "$@")
    eval "last=\${$#}"
    i=0
    while [ $i -lt 50 ]; do
        if [ "$(tm capture-pane -p | grep -v '^$' | tail -n $#)" = "$want" ]; then
            if [ "$last" = ">" ]; then editing; fi
            return 0
        fi
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

# While another session holds the history's lock, the prompt comes at once
# and every line typed meanwhile is kept: saved once the lock is free (here
# by the end of the session), or, when it is still held at the end, beside
# the history for the next session to merge.
mkdir -p "$tmp/held/quillpad"
start "$tmp/held"
ends ">"
flock -o "$tmp/held/quillpad/history.lock" sleep 30 &
holder=$!
sleep 0.3
tm send-keys "6*7" Enter;                  ends "> 6*7" "42" ">"
tm send-keys "1+1" Enter;                  ends "> 1+1" "2" ">"
tm send-keys "2+2" Enter;                  ends "> 2+2" "4" ">"
kill $holder; wait $holder 2>/dev/null
tm send-keys C-d;                          shows "[ended]"
[ "$(tail -n 3 "$tmp/held/quillpad/history" | tr '\n' ' ')" = '6*7 1+1 2+2 ' ] ||
    { echo "FAIL: lines typed while the lock was held are not all kept"; fail=1; }
start "$tmp/held"
ends ">"
flock -o "$tmp/held/quillpad/history.lock" sleep 30 &
holder=$!
sleep 0.3
tm send-keys "3*3" Enter;                  ends "> 3*3" "9" ">"
tm send-keys C-d;                          shows "[ended]"
kill $holder; wait $holder 2>/dev/null
start "$tmp/held"
ends ">"
tm send-keys Up;                           ends "> 3*3"     # recalled from beside the file
tm send-keys C-u "5*5" Enter;              ends "> 5*5" "25" ">"
tm send-keys C-d;                          shows "[ended]"
[ "$(tail -n 2 "$tmp/held/quillpad/history" | tr '\n' ' ')" = '3*3 5*5 ' ] ||
    { echo "FAIL: the lines left beside the history were not merged"; fail=1; }
[ -z "$(ls -A "$tmp/held/quillpad" | grep pending)" ] || { echo "FAIL: a pending file stayed"; fail=1; }

# A typed character the checker does not know is refused where it stands,
# never dropped (2×3 once answered 23), and a line holding it is recalled.
start "$tmp/utf8"
ends ">"
tm send-keys "2×3" Enter;                  shows "Unknown symbol" 3
tm capture-pane -p | grep -v '^$' | grep -qx ' ~' || { echo "FAIL: × is not marked"; fail=1; }
tm send-keys C-d;                          shows "[ended]"
start "$tmp/utf8"
ends ">"
tm send-keys Up;                           ends "> 2×3"
tm send-keys C-u C-d;                      shows "[ended]"

# A lock that is no plain file of the user's: the history is kept all the
# same (the folder is locked), the lock's target untouched, and one line says
# why.
for kind in link dangling fifo folder; do
    dir="$tmp/lock-$kind/quillpad"
    mkdir -p "$dir"
    printf 'mine\n' > "$tmp/lock-$kind/own"
    case $kind in
        link) ln -s "$tmp/lock-$kind/own" "$dir/history.lock" ;;
        dangling) ln -s "$tmp/lock-$kind/none" "$dir/history.lock" ;;
        fifo) mkfifo "$dir/history.lock" ;;
        folder) mkdir "$dir/history.lock" ;;
    esac
    start "$tmp/lock-$kind"
    ends ">"
    tm send-keys "1+1" Enter;              ends "> 1+1" "2" ">"
    tm send-keys "2+2" Enter;              shows "4" 4         # the note may come before the prompt
    tm send-keys C-d;                      shows "[ended]"
    said=$(tm capture-pane -p -J | grep -c "history.lock is ")
    [ "$said" = 1 ] || { echo "FAIL: a $kind lock was said $said times"; fail=1; }
    grep -qx '2+2' "$dir/history" 2>/dev/null || { echo "FAIL: a $kind lock stopped the history"; fail=1; }
    [ "$(cat "$tmp/lock-$kind/own")" = mine ] && [ ! -e "$tmp/lock-$kind/none" ] ||
        { echo "FAIL: a $kind lock's target was touched"; fail=1; }
done

# A relative HOME makes no folder where the session started; it is said once.
mkdir -p "$tmp/rel"
tm kill-server 2>/dev/null; runs=$((runs + 1))
tm new-session -d -x 100 -y 30 "cd '$tmp/rel' && env -u XDG_STATE_HOME HOME=rel '$cli'; echo '[ended]'; sleep 60"
ends ">"
tm send-keys "1+1" Enter;                  ends "2" ">"
tm send-keys C-d;                          shows "[ended]"
[ -z "$(ls -A "$tmp/rel")" ] || { echo "FAIL: a relative HOME made $(ls -A "$tmp/rel")"; fail=1; }
[ "$(tm capture-pane -p | grep -c 'HOME is not an absolute path')" = 1 ] ||
    { echo "FAIL: a relative HOME was not said once"; fail=1; }

# A terminal left non-blocking is waited on, as a pipe is.
start "$tmp/state" "" "python3 -c 'import fcntl, os; fcntl.fcntl(0, fcntl.F_SETFL, fcntl.fcntl(0, fcntl.F_GETFL) | os.O_NONBLOCK)';"
ends ">"
sleep 0.5
tm send-keys "3+4" Enter;                  ends "> 3+4" "7" ">"
tm send-keys C-d;                          shows "[ended]"

# Ctrl+Z and fg, in a shell with job control: the line is edited as before.
tm kill-server 2>/dev/null; runs=$((runs + 1))
tm new-session -d -x 100 -y 30 "bash --norc --noprofile -i"
sleep 0.5
tm send-keys "XDG_STATE_HOME='$tmp/state' '$cli'" Enter
ends ">"
tm send-keys "2*3";                        ends "> 2*3"
tm send-keys C-z;                          shows "Stopped" 4
tm send-keys "fg" Enter;                   shows "> 2*3"
tm send-keys Left BSpace "+" Enter;        ends "> 2+3" "5" ">"
tm send-keys C-d

# Lines typed in one go, while a save finds a large history in a folder it
# cannot write: each answered once, none echoed twice, all at once (the save
# is not tried again at every Enter, nor waited for while keys come).
# Another user (uid 1000) runs a copy of the program that it can reach.
if [ "$(id -u)" = 0 ]; then
    mkdir -p "$tmp/bin"
    cp "$cli" "$tmp/bin/quillpad-cli"
    chmod 755 "$tmp" "$tmp/bin"
    root_cli=$cli
    cli="$tmp/bin/quillpad-cli"
fi
if [ "$(id -u)" = 0 ]; then
    as="setpriv --reuid=1000 --regid=1000 --clear-groups"
    mkdir -p "$tmp/ro/quillpad"
    { echo "_HiStOrY_V2_"; for i in $(seq 15); do head -c 4000000 /dev/zero | tr '\0' '1'; echo; done; } \
        > "$tmp/ro/quillpad/history"
    : > "$tmp/ro/quillpad/history.lock"
    chown -R 1000:1000 "$tmp/ro"
    chmod 555 "$tmp/ro/quillpad"
    start "$tmp/ro" "" "$as"
    ends ">"
    began=$(date +%s%N)
    tm send-keys "1+1" Enter
    sleep 0.03   # the rest come while the first line's save would run
    tm send-keys "2+2" Enter "3+3" Enter "4+4" Enter "5+5" Enter "6+6" Enter
    i=0; until tm capture-pane -p | grep -qx '12' || [ $i -ge 500 ]; do sleep 0.01; i=$((i + 1)); done
    took=$(( ($(date +%s%N) - began) / 1000000 ))
    [ "$took" -lt 300 ] || { echo "FAIL: six lines took $took ms"; fail=1; }
    ends "> 6+6" "12" ">"
    for line in 2+2 3+3 4+4; do
        [ "$(tm capture-pane -p | grep -cx "$line")" = 0 ] ||
            { echo "FAIL: $line, typed during a save, was echoed twice"; fail=1; }
    done
    tm send-keys C-d;                      shows "[ended]"
    chmod 755 "$tmp/ro/quillpad"
else
    echo "skipped: the read-only folder (it needs root to act as another user)"
fi

# A save keeps the history's group: a member of the group keeps it; one
# that is not leaves the file as it was and says so once. Root, running
# with another user's HOME, makes no folder in it.
if [ "$(id -u)" = 0 ]; then
    for member in yes no; do
        dir="$tmp/group-$member/quillpad"
        mkdir -p "$dir"
        printf '_HiStOrY_V2_\n1+1\n' > "$dir/history"
        chown -R 1000:1000 "$tmp/group-$member"
        chgrp 50 "$dir/history"
        chmod 640 "$dir/history"
        groups=$([ $member = yes ] && echo "--groups=50" || echo "--clear-groups")
        start "$tmp/group-$member" "" "setpriv --reuid=1000 --regid=1000 $groups"
        ends ">"
        tm send-keys "2+2" Enter;          ends "> 2+2" "4" ">"
        tm send-keys C-d;                  shows "[ended]"
        [ "$(stat -c '%u:%g %a' "$dir/history")" = "1000:50 640" ] ||
            { echo "FAIL: the history became $(stat -c '%u:%g %a' "$dir/history") ($member)"; fail=1; }
        if [ $member = yes ]; then
            grep -qx '2+2' "$dir/history" || { echo "FAIL: a member's line was not kept"; fail=1; }
        else
            [ "$(tm capture-pane -p | grep -c 'its group cannot be kept')" = 1 ] ||
                { echo "FAIL: a group that cannot be kept was not said once"; fail=1; }
        fi
    done
    mkdir -p "$tmp/userhome"
    chown 1000:1000 "$tmp/userhome"
    tm kill-server 2>/dev/null; runs=$((runs + 1))
    tm new-session -d -x 100 -y 30 "env -u XDG_STATE_HOME HOME='$tmp/userhome' '$cli'; echo '[ended]'; sleep 60"
    ends ">"
    tm send-keys "1+1" Enter;              ends "2" ">"
    tm send-keys C-d;                      shows "[ended]"
    [ -z "$(ls -A "$tmp/userhome")" ] || { echo "FAIL: root made $(ls -A "$tmp/userhome") in a user's home"; fail=1; }
    cli=$root_cli
else
    echo "skipped: the history's group and another user's home (they need root to act as another user)"
fi

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
