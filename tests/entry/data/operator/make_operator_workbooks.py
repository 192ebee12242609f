#!/usr/bin/python3
"""Writes the operator workbooks of tests/entry/data/operator with LibreOffice Calc.

Each workbook is built cell by cell through UNO (python3-uno), as an operator
builds a DATAIN sheet in Calc: formulas typed in English function names,
fill-down (which the .xls filter stores as shared formulas), array formulas,
merged cells, hidden rows, number formats, a second and third sheet. Each is
stored as .xls (Excel 97), .xlsx and .ods from the same document, so the three
must convert to the same element file. Needs soffice and python3-uno; run
from install/make_workbooks.sh or on its own:
    /usr/bin/python3 tests/entry/data/operator/make_operator_workbooks.py

Then the same sheet saved by other producers: Gnumeric's ssconvert (Debian
gnumeric) turns elements.xls into gnumeric_elements.xls/.xlsx/.ods, and
python3-openpyxl writes openpyxl_formulas.xlsx, whose formulas carry no
stored result (openpyxl never calculates).
"""
import os
import subprocess
import sys
import tempfile
import time

import uno
from com.sun.star.beans import PropertyValue
from com.sun.star.table.CellContentType import FORMULA

HERE = os.path.dirname(os.path.abspath(__file__))
FILTERS = {"xls": "MS Excel 97", "xlsx": "Calc MS Excel 2007 XML", "ods": "calc8"}
HEAD = ["No", "X", "Y", "(  D  )", "(  A  )", "(  B  )", "(  C  )", "(  R  )", "(  S  )"]


def prop(name, value):
    p = PropertyValue()
    p.Name, p.Value = name, value
    return p


def put(sheet, address, value):
    """A number, a text, or a formula (a text starting with '=', English names, ';' or ',')."""
    cell = sheet.getCellRangeByName(address)
    if isinstance(value, str) and value.startswith("="):
        cell.setFormula(value)
    elif isinstance(value, str):
        cell.setString(value)
    else:
        cell.setValue(value)
    return cell


def row(sheet, number, values):
    for column, value in zip("ABCDEFGHI", values):
        if value is not None:
            put(sheet, "%s%d" % (column, number), value)


def number_format(document, code):
    formats = document.getNumberFormats()
    locale = uno.createUnoStruct("com.sun.star.lang.Locale")
    key = formats.queryKey(code, locale, False)
    return key if key != -1 else formats.addNew(code, locale)


def sheets(document, names):
    """The document's sheets, renamed and added so that names are its sheets in order."""
    all_sheets = document.getSheets()
    while all_sheets.getCount() < len(names):
        all_sheets.insertNewByName("tmp%d" % all_sheets.getCount(), all_sheets.getCount())
    for index, name in enumerate(names):
        all_sheets.getByIndex(index).setName(name)
    return [all_sheets.getByIndex(i) for i in range(len(names))]


def build_elements(document):
    """Every kind of formula and cell an operator puts into the element columns."""
    data, calc, notes = sheets(document, ["DATAIN", "Calc", "メモ"])
    row(calc, 1, [21, 12.5, "12.5mm"])
    row(calc, 2, [3, "=A1*2", "=SQRT(A2)"])
    row(notes, 1, ["このシートは読まれません", 999])
    row(data, 1, HEAD)
    row(data, 2, ["始点", "=1/0", None, 8])                                       # skipped record
    row(data, 3, ["点", "=10+5.5", "=Calc.A1*2", 8, None, None, "=SQRT(2)"])
    data.getAnnotations().insertNew(data.getCellRangeByName("B3").getCellAddress(), "コメント 99")
    row(data, 4, ["線", 0, "=C3", "=0+1", "=DEGREES(ATAN(1))", None, "=IF(B3>10;1.5;0)"])
    row(data, 5, ["入る線", "=PI()*10", "=SIN(RADIANS(30))*20", 2, "=-ROUND(100/3;3)", None, "=1<2"])
    row(data, 6, ["埋め", "=B5+1", "=C5/2", 8, None, None, "=G5*2"])
    data.getCellRangeByName("B6:G10").fillAuto(uno.Enum("com.sun.star.sheet.FillDirection", "TO_BOTTOM"), 1)
    row(data, 11, ["文字", '="1.5mm"', '=""', 8, None, None, '=" 2.5"'])
    row(data, 12, ["配列", None, None, 8])
    data.getCellRangeByName("B12").setArrayFormula("=SUM(B3:B5*2)")
    data.getCellRangeByName("C12:C13").setArrayFormula("=B3:B4+0.25")
    row(data, 13, ["結合", 7, None, 8])
    data.getCellRangeByName("A13:B13").merge(True)
    row(data, 14, ["隠し", 1, 2, 8, None, None, 0.5])
    data.getRows().getByIndex(13).IsVisible = False
    row(data, 15, ["書式", 45322, 0.5, 8, None, None, 1234.5])
    data.getCellRangeByName("B15").NumberFormat = number_format(document, "YYYY-MM-DD")
    data.getCellRangeByName("C15").NumberFormat = number_format(document, "0%")
    data.getCellRangeByName("G15").NumberFormat = number_format(document, '[$￥-411]#,##0.00')
    row(data, 16, ["  全角", "  12.5", "\u3000" + "3", 8, None, None, "1.5e1"])
    row(data, 17, ["円", "=Calc.B2", "=-Calc.C2", "=0*1", None, None, None, "=-B3/2", "=IF(TRUE();1;2)"])
    row(data, 18, [None, None, None, "=80+8"])
    row(data, 19, ["穴", 5, 5, 100, None, None, None, "=2.5"])
    row(data, 20, ["終", None, None, "=100-1"])
    row(data, 21, ["後", "=1/0", None, 8])


def build_errors(document, error):
    """One taken cell holding an error result of the given kind."""
    data, other = sheets(document, ["Sheet1", "Other"])
    row(other, 1, [1, 2, 3])
    row(data, 1, HEAD)
    row(data, 2, ["skipped"])
    row(data, 3, ["ok", 1, 2, 8, "=1/0"])      # the angle of a point row is not taken
    formula = {"div0": "=1/0", "value": '="a"+1', "na": "=NA()", "num": "=SQRT(-1)",
               "name": "=NOSUCHFUNCTION(1)", "ref": "=Other.B1", "code": "=NA()"}[error]
    if error == "code":
        row(data, 4, ["bad", 3, 4, formula])
    else:
        row(data, 4, ["bad", 3, formula, 8])
    row(data, 5, ["end", None, None, 99])
    if error == "ref":
        other.getColumns().removeByIndex(1, 1)   # the referenced column goes: #REF!


def build_long(document, rows):
    data, = sheets(document, ["Sheet1"])
    data.getCellRangeByName("A1:I1").setDataArray((tuple(HEAD),))
    data.getCellRangeByName("C3:D%d" % (rows + 2)).setDataArray(
        tuple((float(n % 7), 8.0) for n in range(rows)))
    data.getCellRangeByName("B3:B%d" % (rows + 2)).setFormulaArray(
        tuple(("=%d+0.5" % n,) for n in range(rows)))


WORKBOOKS = {
    "elements": build_elements,
    "error_div0": lambda d: build_errors(d, "div0"),
    "error_value": lambda d: build_errors(d, "value"),
    "error_na": lambda d: build_errors(d, "na"),
    "error_num": lambda d: build_errors(d, "num"),
    "error_name": lambda d: build_errors(d, "name"),
    "error_ref": lambda d: build_errors(d, "ref"),
    "error_code": lambda d: build_errors(d, "code"),
    "long_2000": lambda d: build_long(d, 2000),
}


def connect(profile):
    pipe = "vexline_operator_%d" % os.getpid()
    office = subprocess.Popen(["soffice", "-env:UserInstallation=file://" + profile, "--headless",
                               "--invisible", "--accept=pipe,name=%s;urp;" % pipe],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    local = uno.getComponentContext()
    resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
    for _ in range(120):
        try:
            context = resolver.resolve("uno:pipe,name=%s;urp;StarOffice.ComponentContext" % pipe)
            return office, context.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", context)
        except Exception:
            time.sleep(0.5)
    office.terminate()
    sys.exit("soffice did not answer")


GNUMERIC_EXPORTERS = {"xls": "Gnumeric_Excel:excel_biff8", "xlsx": "Gnumeric_Excel:xlsx2",
                      "ods": "Gnumeric_OpenCalc:odf"}


def other_producers():
    for ext, exporter in GNUMERIC_EXPORTERS.items():
        target = os.path.join(HERE, "gnumeric_elements." + ext)
        subprocess.run(["ssconvert", "-T", exporter, os.path.join(HERE, "elements.xls"), target],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        print("wrote", target)
    import openpyxl
    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = "Sheet1"
    for values in [HEAD, ["skipped"], ["p", 10, "=B3*2", 8], ["q", "=B3+5", 1, 8], ["end", None, None, 99]]:
        sheet.append(values)
    target = os.path.join(HERE, "openpyxl_formulas.xlsx")
    book.save(target)
    print("wrote", target)


def main():
    if sys.argv[1:] == ["--other-producers"]:
        other_producers()
        return
    wanted = sys.argv[1:] or list(WORKBOOKS)
    profile = tempfile.mkdtemp()
    office, desktop = connect(profile)
    try:
        for name in wanted:
            document = desktop.loadComponentFromURL("private:factory/scalc", "_blank", 0, (prop("Hidden", True),))
            WORKBOOKS[name](document)
            document.calculateAll()
            for ext, filter_name in FILTERS.items():
                target = os.path.join(HERE, name + "." + ext)
                document.storeToURL(uno.systemPathToFileUrl(target), (prop("FilterName", filter_name),))
                print("wrote", target)
            document.close(True)
    finally:
        try:
            desktop.terminate()
        except Exception:
            pass
        office.wait()
        subprocess.run(["rm", "-rf", profile])


if __name__ == "__main__":
    main()
