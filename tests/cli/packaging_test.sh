#!/bin/sh
# make install and make deb, from the build tree: the files land where a
# Linux user looks for them, and the packaged program runs.
# Usage: packaging_test.sh BUILD-DIR
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail=0
DESTDIR="$tmp/root" cmake --install "$build" --prefix /opt/q >/dev/null || fail=1
for f in bin/quillpad-cli share/man/man1/quillpad-cli.1 share/bash-completion/completions/quillpad-cli \
         share/doc/quillpad/README.md share/doc/quillpad/LICENSE; do
    [ -f "$tmp/root/opt/q/$f" ] || { echo "FAIL: make install left out $f"; fail=1; }
done
(cd "$build" && cpack -G DEB -B "$tmp/deb" >/dev/null) || { echo "FAIL: cpack"; fail=1; }
deb=$(ls "$tmp"/deb/quillpad-cli_*_amd64.deb 2>/dev/null)
if [ -n "$deb" ]; then
    dpkg-deb -x "$deb" "$tmp/unpacked"
    out=$("$tmp/unpacked/usr/bin/quillpad-cli" '2+3*4')
    [ "$out" = 14 ] || { echo "FAIL: the packaged program gave '$out'"; fail=1; }
    dpkg-deb -f "$deb" Depends | grep -q libedit || { echo "FAIL: the package does not depend on libedit"; fail=1; }
    file "$tmp/unpacked/usr/bin/quillpad-cli" | grep -q ", stripped" || { echo "FAIL: the packaged program is not stripped"; fail=1; }
    [ -f "$tmp/unpacked/usr/share/man/man1/quillpad-cli.1" ] || { echo "FAIL: no manual page in the package"; fail=1; }
else
    echo "FAIL: no package"; fail=1
fi
[ $fail = 0 ] && echo "install and package: all passed"
exit $fail
