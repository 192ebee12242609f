#!/bin/sh
# Writes oracle.txt, Open CASCADE's reading of every file of corpus.txt (see
# iges_oracle.cpp): the curves of the files the reader imports, the counts and
# height range of the others. Needs the Debian packages of make_occt_files.sh.
#
# Run: sh tests/exchange/data/iges/make_oracle.sh
set -eu
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
g++ -std=c++17 -O1 -w -I/usr/include/opencascade "$here/iges_oracle.cpp" -o "$work/iges_oracle" \
  -lTKIGES -lTKXSBase -lTKernel -lTKMath -lTKG2d -lTKG3d -lTKGeomBase -lTKBRep -lTKGeomAlgo -lTKTopAlgo
grep -v '^#' "$here/corpus.txt" | while IFS='|' read -r file expect rest; do
  file=$(echo "$file" | tr -d ' ')
  [ -n "$file" ] || continue
  case "$expect" in
    *import*) mode= ;;
    *) mode=--summary ;;
  esac
  "$work/iges_oracle" $mode "$here/$file" || echo "fail crash"
done | grep -E '^(file|curves|z|L|A|K|P|fail) ' > "$here/oracle.txt"
