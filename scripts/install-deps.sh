#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need: the union of
# scripts/deps/*.txt, or of the lists given as arguments (paths from the
# repository root, e.g. scripts/deps/demo.txt). Idempotent: asks apt only
# for what is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

lists=("$@")
if [ ${#lists[@]} -eq 0 ]; then
    lists=(scripts/deps/*.txt)
fi
mapfile -t wanted < <(cat "${lists[@]}" | sed 's/#.*//' | tr -s ' \t' '\n' | sed '/^$/d' | sort -u)
missing=()
for package in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -eq 0 ]; then
    echo "install-deps: all ${#wanted[@]} packages present"
    exit 0
fi
echo "install-deps: installing ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update
"${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
