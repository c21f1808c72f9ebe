#!/usr/bin/env bash
# Every program has a manual page man/<program>.1 that groff formats without
# a warning (-ww: all warnings), whose title names the program in section 1,
# and that has the sections a reader looks for.
# Usage: check_man_pages.sh <man folder> <program>...
set -euo pipefail
man_dir=$1
shift

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

for program in "$@"; do
    before=$failures
    page="$man_dir/$program.1"
    if [ ! -f "$page" ]; then
        fail "$program: no manual page $page"
        continue
    fi
    warnings=$(groff -man -ww -z "$page" 2>&1) || fail "$program: groff failed"
    [ -z "$warnings" ] || fail "$program: groff warnings:"$'\n'"$warnings"
    if command -v man >/dev/null; then
        warnings=$(man --warnings -l "$page" 2>&1 >/dev/null) || fail "$program: man -l failed"
        [ -z "$warnings" ] || fail "$program: man --warnings:"$'\n'"$warnings"
    fi
    upper=$(tr '[:lower:]' '[:upper:]' <<<"$program")
    grep -q "^\.TH $upper 1 " "$page" || fail "$program: title is not '.TH $upper 1'"
    grep -q "^$program \\\\- " "$page" || fail "$program: NAME line is not '$program \\- ...'"
    for section in NAME SYNOPSIS DESCRIPTION FILES DIAGNOSTICS "EXIT STATUS" EXAMPLES "SEE ALSO"; do
        grep -q "^\.SH \"\?$section\"\?\$" "$page" || fail "$program: no section $section"
    done
    [ "$failures" -eq "$before" ] && echo "ok: $page"
done

# A page without a program would be installed by no rule: a stale name.
for page in "$man_dir"/*.1; do
    name=$(basename "$page" .1)
    [[ " $* " == *" $name "* ]] || fail "$page names no program of the suite"
done

[ "$failures" -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
