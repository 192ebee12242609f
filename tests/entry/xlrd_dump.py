#!/usr/bin/python3
"""xlrd's reading of workbooks, in the form the workbook reader tests compare.

  xlrd_dump.py --write FILE...   writes FILE.xlrd beside each workbook
  xlrd_dump.py --check FILE...   reads each again and compares with FILE.xlrd

One line per cell that holds something, in rows 1 to 65536 and columns A to
BL (the first 64), row by row: "B3 number 15.5", "C5 text 12.5mm",
"B7 error #DIV/0!". Booleans are numbers 1 and 0, dates their text
("2024-01-31", "12:30:00", "2024-01-31 12:30:00"). A workbook xlrd refuses is
the single line "refused". Needs python3-xlrd (Debian, 1.2: .xls and .xlsx).
"""
import sys

import xlrd

MAX_ROWS = 65536
MAX_COLUMNS = 64


def number_text(value):
    if value == int(value) and abs(value) < 1e15:
        return str(int(value))
    for precision in (15, 16, 17):
        text = "%.*g" % (precision, value)
        if float(text) == value:
            return text
    return repr(value)


def escaped(text):
    return text.replace("\\", "\\\\").replace("\n", "\\n").replace("\r", "\\r").replace("\t", "\\t")


def column_name(column):
    name = ""
    column += 1
    while column:
        column, rest = divmod(column - 1, 26)
        name = chr(ord("A") + rest) + name
    return name


def cell_text(cell, datemode):
    kind = cell.ctype
    if kind == xlrd.XL_CELL_NUMBER:
        return "number " + number_text(cell.value)
    if kind == xlrd.XL_CELL_TEXT:
        return "text " + escaped(cell.value)
    if kind == xlrd.XL_CELL_BOOLEAN:
        return "number %d" % (1 if cell.value else 0)
    if kind == xlrd.XL_CELL_ERROR:
        return "error " + xlrd.error_text_from_code.get(cell.value, "#ERR%d!" % cell.value)
    if kind == xlrd.XL_CELL_DATE:
        y, mo, d, h, mi, s = xlrd.xldate_as_tuple(cell.value, datemode)
        if (y, mo, d) == (0, 0, 0):
            return "text %02d:%02d:%02d" % (h, mi, s)
        if (h, mi, s) == (0, 0, 0):
            return "text %04d-%02d-%02d" % (y, mo, d)
        return "text %04d-%02d-%02d %02d:%02d:%02d" % (y, mo, d, h, mi, s)
    return None


def dump(path):
    try:
        book = xlrd.open_workbook(path)
        sheet = book.sheet_by_index(0)
    except Exception:
        return "refused\n"
    lines = []
    for row in range(min(sheet.nrows, MAX_ROWS)):
        for column in range(min(sheet.row_len(row), MAX_COLUMNS)):
            text = cell_text(sheet.cell(row, column), book.datemode)
            if text is not None:
                lines.append("%s%d %s" % (column_name(column), row + 1, text))
    return "".join(line + "\n" for line in lines)


def main(argv):
    if len(argv) < 2 or argv[0] not in ("--write", "--check"):
        sys.exit(__doc__)
    failed = 0
    for path in argv[1:]:
        text = dump(path)
        if argv[0] == "--write":
            with open(path + ".xlrd", "w", encoding="utf-8", newline="\n") as f:
                f.write(text)
            continue
        with open(path + ".xlrd", encoding="utf-8") as f:
            expected = f.read()
        if text != expected:
            failed += 1
            print("differs from xlrd's reading now:", path)
    if argv[0] == "--check":
        print("%d passed, %d failed" % (len(argv) - 1 - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
