#!/usr/bin/python3
"""Writes schelt.dxs, the DXF template of the DXF export, with ezdxf.

The template is an empty AutoCAD 2000 drawing (millimetres, layer "0").
The export copies it up to the line "ENTITIES", writes its LINE and ARC
entities with handles 100, 101, ... (read as hexadecimal by CAD systems),
copies the rest and ends with "EOF". So the template's own handles stay
below 100 hex, and $HANDSEED is raised above every handle the export can
write. Lines end in CR LF.

Run: python3 install/make_schelt.py   (needs python3-ezdxf)
"""
import io
import os

import ezdxf

EXPORT_HANDSEED = "3000"  # above the last export handle ("2099" for 2000 rows)


def main():
    doc = ezdxf.new("R2000")
    doc.units = ezdxf.units.MM
    doc.header["$INSUNITS"] = 4
    doc.header["$MEASUREMENT"] = 1
    stream = io.StringIO()
    doc.write(stream)
    lines = stream.getvalue().split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    handles = [int(lines[i + 1], 16) for i in range(0, len(lines) - 1, 2) if lines[i].strip() in ("5", "105")]
    assert max(handles) < 0x100, "template handles must stay below the export's first handle"
    seed = lines.index("$HANDSEED")
    lines[seed + 2] = EXPORT_HANDSEED
    assert lines.count("ENTITIES") == 1 and lines[-1] == "EOF"
    target = os.path.join(os.path.dirname(os.path.abspath(__file__)), "schelt.dxs")
    with open(target, "w", newline="") as out:
        out.write("\r\n".join(lines) + "\r\n")


if __name__ == "__main__":
    main()
