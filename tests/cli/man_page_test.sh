#!/bin/sh
# The manual page and the bash completion: man reads the page without a
# warning, and both name every option that --help lists.
# Usage: man_page_test.sh PROGRAM MANPAGE COMPLETION
cli=$1
page=$2
completion=$3
fail=0
warnings=$(man --warnings -l "$page" 2>&1 >/dev/null)
[ -z "$warnings" ] || { echo "FAIL: man warns: $warnings"; fail=1; }
text=$(MANWIDTH=200 man -l "$page" 2>/dev/null)
options=$("$cli" --help | grep -oE -- '--[a-z]+' | sort -u)
[ -n "$options" ] || { echo "FAIL: --help lists no option"; fail=1; }
for option in $options; do
    printf '%s\n' "$text" | grep -qF -- "$option" || { echo "FAIL: the manual page lacks $option"; fail=1; }
    # What bash offers for "--" once the completion is loaded.
    offered=$(bash -c '. "$1"; COMP_WORDS=(quillpad-cli --); COMP_CWORD=1; _quillpad_cli; printf "%s\n" "${COMPREPLY[@]}"' _ "$completion")
    printf '%s\n' "$offered" | grep -qx -- "$option" || { echo "FAIL: the completion lacks $option"; fail=1; }
done
[ $fail = 0 ] && echo "manual page: all passed"
exit $fail
