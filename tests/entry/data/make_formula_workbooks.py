#!/usr/bin/python3
"""Writes the formula test workbooks of tests/entry/data with LibreOffice Calc.

Each workbook below is described as rows of cells, written as a flat
OpenDocument spreadsheet and converted by soffice into .xls (Excel 97),
.xlsx and .ods; LibreOffice computes and stores
every formula's result. The password workbooks (.xls and .ods) are stored
through UNO (python3-uno) with the password "vexline".

Cells: a number; a text; a text starting with "=" is a formula in
OpenFormula syntax ([.B3] is a cell of the same sheet, [$Other.A1] one of
the sheet "Other"); None is an empty cell; ("date", "2024-01-31") a date.
Run from install/make_workbooks.sh; needs soffice (and python3-uno).
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time
from xml.sax.saxutils import escape, quoteattr

HEAD = ["No", "X", "Y", "(  D  )", "(  A  )", "(  B  )", "(  C  )", "(  R  )", "(  S  )"]

WORKBOOKS = {
    # Formulas with number, text, boolean and empty-text results, a code cell
    # as a formula, references to another sheet, a filled-down (shared)
    # formula, an error in the skipped record and after the end.
    "formulas": {
        "Sheet1": [
            HEAD,
            ["skipped", "=1/0", None, 8],
            ["point", "=10+5.5", "=[.B3]+4.5", 8, None, None, "=SQRT(2)"],
            ["code formula", "=[.B3]+20", 0, "=0+1", "=SQRT(2)*10", None, "=1<2"],
            ["other sheet", "=[$Other.A1]*2", "=[$Other.A2]", 2, -45, None, "=\"\""],
            ["shared 1", "=[.B5]+1", "=[.B6]/2", 8],
            ["shared 2", "=[.B6]+1", "=[.B7]/2", 8],
            ["shared 3", "=[.B7]+1", "=[.B8]/2", 8],
            ["text code", 1, 1, "=\"8\""],
            ["circle", "=100/8", "=ROUND(2/3;4)", "=0", None, None, None, "=-[.B10]", "=IF(1>0;2;1)"],
            ["end", None, None, "=99"],
            ["after the end", "=1/0", None, 8],
        ],
        "Other": [[21], ["12.5mm"]],
    },
    # A formula whose result is an error, in a cell that a point row takes;
    # the error in column B of the corner row is not taken.
    "formula_error": {
        "Sheet1": [
            HEAD,
            ["skipped"],
            ["corner", "=NA()", None, 5, None, None, 2],
            ["point", 1, 2, 8],
            ["bad", 5, "=1/0", 8],
            ["end", None, None, 99],
        ],
    },
    # Every kind of result in one column, and texts that need more than Latin-1.
    "results": {
        "Sheet1": [
            ["数値", "=1+2"],
            ["文字", "=\"3.5\"&\"mm\""],
            ["真偽", "=2>1"],
            ["偽", "=2<1"],
            ["空", "=\"\""],
            ["参照", "=[$Other.B2]"],
            ["エラー", "=1/0"],
            ["NA", "=NA()"],
            ["VALUE", "=\"a\"+1"],
            ["大きい", 1.5e300],
            ["小さい", -2.5e-300],
            ["整数", 123456789],
            ["日付", ("date", "2024-01-31")],
        ],
        "Other": [[None], [None, 7.25]],
    },
}

PASSWORD_WORKBOOK = "formulas"
# Stored through UNO the .xlsx filter leaves the package unencrypted; the
# tests build an encrypted .xlsx container themselves.
PASSWORD_FORMATS = ["xls", "ods"]

FILTERS = {"xls": "MS Excel 97", "xlsx": "Calc MS Excel 2007 XML", "ods": "calc8"}


def cell_xml(value):
    if value is None:
        return "<table:table-cell/>"
    if isinstance(value, tuple) and value[0] == "date":
        return ('<table:table-cell table:style-name="date" office:value-type="date" '
                'office:date-value=%s/>' % quoteattr(value[1]))
    if isinstance(value, (int, float)):
        return '<table:table-cell office:value-type="float" office:value="%r"/>' % value
    if value.startswith("="):
        return "<table:table-cell table:formula=%s/>" % quoteattr("of:" + value)
    return ('<table:table-cell office:value-type="string"><text:p>%s</text:p></table:table-cell>'
            % escape(value))


def fods(sheets):
    out = ['<?xml version="1.0" encoding="UTF-8"?>',
           '<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
           'xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" '
           'xmlns:number="urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0" '
           'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
           'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" '
           'xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2" office:version="1.2" '
           'office:mimetype="application/vnd.oasis.opendocument.spreadsheet">',
           '<office:automatic-styles><number:date-style style:name="N1"><number:year number:style="long"/>'
           '<number:text>-</number:text><number:month number:style="long"/><number:text>-</number:text>'
           '<number:day number:style="long"/></number:date-style>'
           '<style:style style:name="date" style:family="table-cell" style:data-style-name="N1"/>'
           '</office:automatic-styles>',
           "<office:body><office:spreadsheet>"]
    for name, rows in sheets.items():
        out.append("<table:table table:name=%s>" % quoteattr(name))
        for row in rows:
            out.append("<table:table-row>%s</table:table-row>" % "".join(cell_xml(v) for v in row))
        out.append("</table:table>")
    out.append("</office:spreadsheet></office:body></office:document>")
    return "\n".join(out)


def soffice(profile, *args):
    subprocess.run(["soffice", "-env:UserInstallation=file://" + profile, "--headless", *args],
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def store_with_password(profile, source, targets):
    """Stores source under each target path with its filter and a password, through UNO."""
    import uno
    from com.sun.star.beans import PropertyValue
    pipe = "vexline_workbooks_%d" % os.getpid()
    office = subprocess.Popen(["soffice", "-env:UserInstallation=file://" + profile, "--headless",
                               "--invisible", "--accept=pipe,name=%s;urp;" % pipe],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        resolver = uno.getComponentContext().ServiceManager.createInstanceWithContext(
            "com.sun.star.bridge.UnoUrlResolver", uno.getComponentContext())
        for _ in range(60):
            try:
                context = resolver.resolve("uno:pipe,name=%s;urp;StarOffice.ComponentContext" % pipe)
                break
            except Exception:
                time.sleep(0.5)
        else:
            sys.exit("soffice did not answer")
        desktop = context.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", context)

        def prop(name, value):
            p = PropertyValue()
            p.Name, p.Value = name, value
            return p
        document = desktop.loadComponentFromURL(uno.systemPathToFileUrl(source), "_blank", 0,
                                                (prop("Hidden", True),))
        document.calculateAll()
        for target, filter_name in targets:
            document.storeToURL(uno.systemPathToFileUrl(target),
                                (prop("FilterName", filter_name), prop("Password", "vexline")))
        document.close(True)
    finally:
        office.terminate()
        office.wait()


def main():
    data = os.path.dirname(os.path.abspath(__file__))
    profile = tempfile.mkdtemp()
    work = tempfile.mkdtemp()
    try:
        only_passwords = sys.argv[1:] == ["--passwords"]
        for name, sheets in WORKBOOKS.items():
            source = os.path.join(work, name + ".fods")
            with open(source, "w", encoding="utf-8") as f:
                f.write(fods(sheets))
            if only_passwords:
                continue
            for ext, filter_name in FILTERS.items():
                soffice(profile, "--convert-to", "%s:%s" % (ext, filter_name), "--outdir", work, source)
                shutil.move(os.path.join(work, name + "." + ext), os.path.join(data, name + "." + ext))
                print("wrote", os.path.join(data, name + "." + ext))
        store_with_password(profile, os.path.join(work, PASSWORD_WORKBOOK + ".fods"),
                            [(os.path.join(data, "password." + ext), FILTERS[ext]) for ext in PASSWORD_FORMATS])
        print("wrote", ", ".join(os.path.join(data, "password." + ext) for ext in PASSWORD_FORMATS))
    finally:
        shutil.rmtree(profile, ignore_errors=True)
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
