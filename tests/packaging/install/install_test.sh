#!/usr/bin/env bash
# `cmake --install` into a temporary prefix: every program lands in bin/
# with its manual page in share/man/man1/, man finds the page there, nothing
# else is installed, and each program runs from the prefix.
# The model library (libipgen_models, its header, the Python module ipgen)
# is installed too and used from the prefix (check_installed_models.sh).
# Usage: install_test.sh <build folder> <program>... -- <model file>...
set -euo pipefail
build=$1
shift
# <program>... -- <model library file>...
programs=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do
    programs+=("$1")
    shift
done
[ $# -gt 0 ] && shift
models=("$@")
set -- "${programs[@]}"
here=$(cd "$(dirname "$0")" && pwd)

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1 || {
    cat "$prefix.log"
    rm -f "$prefix.log"
    exit 1
}
rm -f "$prefix.log"

failures=0
expected=()
for program in "$@"; do
    expected+=("bin/$program" "share/man/man1/$program.1.gz")
    found=$(man --manpath="$prefix/share/man" -w "$program" 2>/dev/null || true)
    [ "$found" = "$prefix/share/man/man1/$program.1.gz" ] ||
        { echo "FAIL: man does not find $program's page in the prefix (got '$found')"; failures=$((failures + 1)); }
done
expected+=("${models[@]}")
installed=$(cd "$prefix" && find . -type f | sed 's|^\./||' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
if [ "$installed" != "$wanted" ]; then
    echo "FAIL: installed files differ from the programs and their pages:"
    diff <(echo "$wanted") <(echo "$installed") || true
    failures=$((failures + 1))
fi

bash "$here/run_installed_programs.sh" "$prefix" "$@" || failures=$((failures + 1))
bash "$here/check_installed_models.sh" "$prefix" "${models[@]}" || failures=$((failures + 1))
[ "$failures" -eq 0 ] || exit 1
echo "installed and ran: $*"
