#!/usr/bin/env bash
# Regenerates the committed .xls workbooks from the CSV files beside them:
# the sample DATAIN.xls of a fresh installation and the test workbooks of
# tests/entry/data. Needs LibreOffice Calc with python3-uno, Gnumeric and
# python3-openpyxl (none of them needed to build or test).
#   install/make_workbooks.sh
# CSV: UTF-8, comma-separated; unquoted fields that look like numbers become
# number cells, quoted fields stay text cells, empty fields stay empty.
set -euo pipefail
cd "$(dirname "$0")/.."
filter='CSV:44,34,76,1,,0,true'   # comma, double quote, UTF-8, from line 1, quoted as text
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
convert() {  # CSV file -> .xls beside it with the given base name
  local csv="$1" name="$2" dir work
  dir=$(dirname "$csv")
  work=$(mktemp -d)
  cp "$csv" "$work/$name.csv"
  soffice -env:UserInstallation="file://$profile" --headless --infilter="$filter" \
    --convert-to 'xls:MS Excel 97' --outdir "$work" "$work/$name.csv" >/dev/null
  mv "$work/$name.xls" "$dir/$name.xls"
  rm -rf "$work"
  echo "wrote $dir/$name.xls"
}
convert install/DATAIN.csv DATAIN
for csv in tests/entry/data/*.csv; do
  convert "$csv" "$(basename "$csv" .csv)"
done
# The formula, result and password workbooks of tests/entry/data (.xls,
# .xlsx, .ods), and xlrd's reading of each .xls and .xlsx beside it.
/usr/bin/python3 tests/entry/data/make_formula_workbooks.py
# The operator sheets of tests/entry/data/operator (built through UNO, saved
# in the three formats), then the same sheet saved by Gnumeric's ssconvert
# and by python3-openpyxl.
/usr/bin/python3 tests/entry/data/operator/make_operator_workbooks.py
/usr/bin/python3 tests/entry/data/operator/make_operator_workbooks.py --other-producers
/usr/bin/python3 tests/entry/xlrd_dump.py --write tests/entry/data/*.xls tests/entry/data/*.xlsx tests/entry/real/*.xls \
  $(ls tests/entry/data/operator/*.xls tests/entry/data/operator/*.xlsx | grep -v '/long_')
