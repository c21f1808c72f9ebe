#!/usr/bin/env bash
# The installed model library used as a user would: a C++ program compiled
# against <prefix>/include and linked with -lipgen_models, and the Python
# module imported from the prefix's dist-packages (when it was installed).
# Both encode one RS(15,11) word and must give its known parity.
# Usage: check_installed_models.sh <prefix> <installed file>...
set -euo pipefail
prefix=$1
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

library=""
module=""
for file in "$@"; do
    case "$file" in
        */libipgen_models.so.*) library=$(dirname "$file") ;;
        */ipgen.*.so) module=$(dirname "$file") ;;
    esac
done
[ -n "$library" ] || fail "no libipgen_models among the installed files"
[ -e "$prefix/$library/libipgen_models.so" ] || fail "no link $library/libipgen_models.so"

# 1..11 in GF(16), first root 1: parity 3 1 4 10 (libfec's init_rs_char(4, 0x13, 1, 1, 4, 0))
cat >"$work/use.cpp" <<'CPP'
#include <ipgen/models.hpp>
#include <cstdio>
int main() {
    const ipgen::models::RsEncoder encoder(
        {{"symbol_width", "4"}, {"n", "15"}, {"k", "11"}, {"first-root", "1"}});
    const std::vector<int> data{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    for (const int symbol : encoder.encode(data)) {
        std::printf("%d ", symbol);
    }
    try {
        ipgen::models::RsEncoder({{"k", "15"}, {"n", "15"}, {"symbol-width", "4"}});
    } catch (const ipgen::models::Error& error) {
        std::printf("\n%s\n", error.what());
    }
}
CPP
# A library built with the sanitizers (the sanitize preset) needs them in
# the program too.
sanitize=()
symbols=$([ -z "$library" ] || nm -D "$prefix/$library/libipgen_models.so" 2>/dev/null || true)
if [[ "$symbols" == *" __asan_"* ]]; then
    sanitize=(-fsanitize=address,undefined)
fi
if [ -n "$library" ]; then
    if c++ -std=c++20 "${sanitize[@]}" -I"$prefix/include" "$work/use.cpp" \
        -L"$prefix/$library" -lipgen_models -o "$work/use" 2>"$work/cc.log"; then
        got=$(LD_LIBRARY_PATH="$prefix/$library" "$work/use")
        [[ "$got" == "1 2 3 4 5 6 7 8 9 10 11 "* ]] || fail "C++ program printed '$got'"
        [[ "$got" == *"ipgen: --k 15: "* ]] || fail "C++ program's refusal: '$got'"
        cpp_parity=${got#1 2 3 4 5 6 7 8 9 10 11 }
        cpp_parity=${cpp_parity%%$'\n'*}
    else
        cat "$work/cc.log"
        fail "a program against the installed header and library does not build"
    fi
fi

if [ -n "$module" ]; then
    py=$(PYTHONPATH="$prefix/$module" /usr/bin/python3 -c '
import ipgen
e = ipgen.RsEncoder(symbol_width=4, n=15, k=11, first_root=1)
print(" ".join(str(s) for s in e.encode(list(range(1, 12)))[11:]))
print(ipgen.__file__)') || fail "python3 cannot use the installed module ipgen"
    [[ "$py" == *"$prefix/$module/"* ]] || fail "ipgen imported from elsewhere: $py"
    [ "${py%%$'\n'*} " = "${cpp_parity:-${py%%$'\n'*} }" ] ||
        fail "Python parity '${py%%$'\n'*}', C++ '${cpp_parity:-}'"
fi
[ "$failures" -eq 0 ] || exit 1
echo "model library used from $prefix: C++${module:+ and Python}"
