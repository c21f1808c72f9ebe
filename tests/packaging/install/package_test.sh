#!/usr/bin/env bash
# `cpack -G DEB` builds fpga-ip-generators_<version>_<arch>.deb from the
# build folder: its control fields are set, it holds exactly the programs in
# /usr/bin and their manual pages in /usr/share/man/man1, and the programs
# unpacked from it run.
# The model library's files are in it too, and used from the unpacked tree.
# Usage: package_test.sh <build folder> <program>... -- <model file>...
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

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || {
    cat "$out/cpack.log"
    exit 1
}
packages=("$out"/fpga-ip-generators_*.deb)
if [ ${#packages[@]} -ne 1 ] || [ ! -f "${packages[0]}" ]; then
    echo "FAIL: cpack made no single fpga-ip-generators_*.deb:"
    ls "$out"
    exit 1
fi
deb=${packages[0]}
echo "package: $(basename "$deb")"

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = fpga-ip-generators ] || fail "Package is '$(field Package)'"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Description)" ] || fail "no Description"
[ "$(field Section)" = electronics ] || fail "Section is '$(field Section)'"
# dpkg-shlibdeps found the C and C++ runtime libraries.
depends=$(field Depends)
[[ "$depends" == *libc6* ]] || fail "Depends lacks libc6: '$depends'"
echo "Depends: $depends"

expected=()
for program in "$@"; do
    expected+=("./usr/bin/$program" "./usr/share/man/man1/$program.1.gz")
done
for file in "${models[@]}"; do
    expected+=("./usr/$file")
done
contents=$(dpkg-deb -c "$deb")
# Files; the library's version links are checked by using it.
files=$(awk '$1 !~ /^[dl]/ { print $6 }' <<<"$contents" | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
if [ "$files" != "$wanted" ]; then
    fail "the package's files differ from the programs and their pages:"
    diff <(echo "$wanted") <(echo "$files") || true
fi
while read -r mode _ _ _ _ path; do
    case "$path" in
        ./usr/bin/*) [ "${mode:3:1}" = x ] || fail "$path is not executable ($mode)" ;;
    esac
done <<<"$contents"

# Unpacked, the programs run as installed ones.
dpkg-deb -x "$deb" "$out/root"
bash "$here/run_installed_programs.sh" "$out/root/usr" "$@" || failures=$((failures + 1))
bash "$here/check_installed_models.sh" "$out/root/usr" "${models[@]}" || failures=$((failures + 1))

[ "$failures" -eq 0 ] || exit 1
echo "package holds and runs: $*"
