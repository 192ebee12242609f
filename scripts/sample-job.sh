#!/usr/bin/env bash
# The sample job without a window: the sample workbook through every stage
# that vexline-cli offers.
set -uo pipefail
cd "$(dirname "$0")/.."
cli=./build/cli/vexline-cli
home="$1"
export VEXLINE_HOME="$home"
has() { "$cli" "$1" --help >/dev/null 2>&1; }
step() { echo "== vexline-cli $*"; "$cli" "$@"; }

echo "No display: running the sample job headless in $home"
"$cli" --help >/dev/null
has convert1 && step convert1
has convert2 && step convert2
has view && step view --offset 0.1 --png "$home/sample-view.png"
has nc && step nc --offset 0.1 --output "$home/NC.dat"
has export-dxf && step export-dxf "$home/sample-export.dxf"
has export-iges && step export-iges "$home/sample-export.igs"
has print && step print --pdf "$home/sample-sheet.pdf"
echo
echo "Results are in $home:"
ls -l "$home"
