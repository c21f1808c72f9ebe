#!/usr/bin/env bash
# `cmake --install --component windows` gives toolrun.exe, a Windows GUI
# program, and nothing else.
# Usage: windows_artefact_test.sh <build folder>
set -euo pipefail
build=$1

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --component windows --prefix "$prefix" >/dev/null

installed=$(cd "$prefix" && find . -type f | sed 's|^\./||')
if [ "$installed" != share/fpga-ip-generators/windows/toolrun.exe ]; then
    echo "FAIL: the windows component installs '$installed'"
    exit 1
fi
kind=$(file -b "$prefix/$installed")
if [[ "$kind" != PE32+\ executable\ \(GUI\)* ]]; then
    echo "FAIL: toolrun.exe is '$kind', not a Windows GUI program"
    exit 1
fi
echo "windows artefact: $installed ($kind)"
