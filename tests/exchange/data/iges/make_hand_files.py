#!/usr/bin/env python3
"""Writes the hand-made IGES files of the corpus: what neither the real files
nor the Open CASCADE-made ones cover (matrix chains, subfigures, copious data,
conics and parametric splines, declared delimiters, records without line ends,
annotated drawings, units other than millimetres).

Run: python3 tests/exchange/data/iges/make_hand_files.py
"""
import math
import os

HERE = os.path.dirname(os.path.abspath(__file__))


def record(data, section, sequence):
    return data.ljust(72)[:72] + section + str(sequence).rjust(7, "0")


def f8(value):
    return str(value).rjust(8)


class Entity:
    def __init__(self, etype, params, font=1, status="00000000", matrix=0, form=0, label=""):
        self.type, self.params, self.font, self.status = etype, params, font, status
        self.matrix, self.form, self.label = matrix, form, label


def iges(entities, unit_flag=2, unit_name="MM", p=",", r=";", line_end="\r\n", start="Vexline corpus"):
    name = "%dH%s" % (len(unit_name), unit_name) if unit_name else ""
    g = p.join(["1H" + p, "1H" + r, "6HVexline", "8Hhand.igs", "11Hhand written", "4H1.00", "32", "38", "6", "308",
                "15", "6HVexline", "1.", str(unit_flag), name, "1", "0.01", "15H20250101.000000", "0.0001", "1000.",
                "", "", "11", "0", "15H20250101.000000"]) + r
    recs = [record(start, "S", 1)]
    recs += [record(g[i:i + 72], "G", n + 1) for n, i in enumerate(range(0, len(g), 72))]
    directory, parameters = [], []
    for k, e in enumerate(entities):
        text = str(e.type) + (p + e.params if e.params else "") + r
        first = len(parameters) + 1
        at = 0
        while at < len(text):
            take = min(64, len(text) - at)
            if at + take < len(text):
                cut = text.rfind(p, at, at + take)
                if cut >= at:
                    take = cut + 1 - at
            parameters.append(record(text[at:at + take].ljust(64) + f8(2 * k + 1), "P", len(parameters) + 1))
            at += take
        directory.append(record(f8(e.type) + f8(first) + f8(0) + f8(e.font) + f8(0) + f8(0) + f8(e.matrix) + f8(0) +
                                e.status, "D", 2 * k + 1))
        directory.append(record(f8(e.type) + f8(0) + f8(0) + f8(len(parameters) - first + 1) + f8(e.form) + f8("") +
                                f8("") + f8(e.label), "D", 2 * k + 2))
    recs += directory + parameters
    recs.append(record("S%07dG%07dD%07dP%07d" % (1, len(recs) - 1 - len(directory) - len(parameters),
                                              len(directory), len(parameters)), "T", 1))
    return line_end.join(recs) + line_end


def n(v):
    text = repr(float(v))
    return text[:-1] if text.endswith(".0") else text


def line(x1, y1, x2, y2, z=0, **kw):
    return Entity(110, ",".join(n(v) for v in (x1, y1, z, x2, y2, z)), **kw)


def arc(cx, cy, sx, sy, ex, ey, z=0, **kw):
    return Entity(100, ",".join(n(v) for v in (z, cx, cy, sx, sy, ex, ey)), **kw)


def matrix(r, t, **kw):
    rows = [list(r[i]) + [t[i]] for i in range(3)]
    return Entity(124, ",".join(n(v) for row in rows for v in row), **kw)


def write(name, text):
    with open(os.path.join(HERE, name), "w", newline="") as f:
        f.write(text)


DEPENDENT = "00010000"
DEFINITION = "00010200"
ANNOTATION = "00000100"


def slot_inch():
    # A slot 5 inches between centres, 2 inches wide, as a 1980s drafting
    # system laid it out: points, two half circles and two lines, in inches.
    return iges([Entity(116, "0.,0.,0.,0,0,0", status="00000001"),
                 Entity(116, "5.,0.,0.,0,0,0", status="00000001"),
                 Entity(100, "0.,0.,0.,0.,1.,0.,-1.,0,0", status="00000001"),
                 Entity(100, "0.,5.,0.,5.,-1.,5.,1.,0,0", status="00000001"),
                 Entity(110, "0.,-1.,0.,5.,-1.,0.,0,0", status="00000001"),
                 Entity(110, "0.,1.,0.,5.,1.,0.,0,0", status="00000001")], 1, "INCH")


def matrix_chain():
    # A bracket outline drawn in a local frame: its matrix (DE 13) turns a
    # quarter turn and moves, and that matrix is itself placed by a mirror
    # (DE 15) and a move to z = 2 (DE 17). Centimetres.
    quarter = ((0, -1, 0), (1, 0, 0), (0, 0, 1))
    mirror = ((-1, 0, 0), (0, 1, 0), (0, 0, 1))
    ident = ((1, 0, 0), (0, 1, 0), (0, 0, 1))
    m = dict(matrix=13)
    return iges([line(0, 0, 6, 0, **m), arc(6, 1, 6, 0, 7, 1, **m), line(7, 1, 7, 4, **m),
                 arc(5, 4, 7, 4, 3, 4, **m), line(3, 4, 0, 4, **m), line(0, 4, 0, 0, **m),
                 matrix(quarter, (10, 0, 0), matrix=15), matrix(mirror, (0, 5, 0), matrix=17),
                 matrix(ident, (0, 0, 2))], 10, "CM")


def subfigures():
    # A flange: a bolt-hole definition (a circle and its dashed centre
    # lines) placed four times, at half and full size; a pair definition
    # that holds two instances itself; one instance turned by its own matrix;
    # the outline a composite curve of lines and arcs.
    e = [arc(0, 0, 4, 0, 4, 0, status=DEFINITION),                       # 1
         line(-6, 0, 6, 0, font=4, status=DEFINITION),                   # 3
         line(0, -6, 0, 6, font=4, status=DEFINITION),                   # 5
         Entity(308, "0,4HHOLE,3,1,3,5", status="00000200"),             # 7
         Entity(408, "7,0.,0.,0.,1.", status=DEFINITION),                # 9
         Entity(408, "7,20.,0.,0.,0.5", status=DEFINITION),              # 11
         Entity(308, "1,4HPAIR,2,9,11", status="00000200"),              # 13
         Entity(408, "13,15.,15.,0."),                                   # 15
         Entity(408, "13,15.,85.,0.,1."),                                # 17
         Entity(408, "7,0.,0.,0.,2.", matrix=21),                        # 19
         matrix(((0, -1, 0), (1, 0, 0), (0, 0, 1)), (50, 50, 0)),        # 21
         line(10, 0, 90, 0, status=DEPENDENT),                           # 23
         arc(90, 10, 90, 0, 100, 10, status=DEPENDENT),                  # 25
         line(100, 10, 100, 90, status=DEPENDENT),                       # 27
         arc(90, 90, 100, 90, 90, 100, status=DEPENDENT),                # 29
         line(90, 100, 10, 100, status=DEPENDENT),                       # 31
         arc(10, 90, 10, 100, 0, 90, status=DEPENDENT),                  # 33
         line(0, 90, 0, 10, status=DEPENDENT),                           # 35
         arc(10, 10, 0, 10, 10, 0, status=DEPENDENT),                    # 37
         Entity(102, "8,23,25,27,29,31,33,35,37")]                       # 39
    return iges(e)


def curves_feet():
    # Copious data, conic arcs and a parametric spline, in feet, with the
    # delimiters "/" and "#" declared, written without line ends.
    p = "/"
    e = [Entity(106, p.join(["1", "4", "0.", "0.", "0.", "0.5", "0.", "0.5", "0.25", "0.", "0.25"]), form=63),
         Entity(106, p.join(["1", "3", "0.", "1.", "0.", "1.5", "0.", "1.5", "0.5"]), form=11),
         Entity(106, p.join(["2", "3", "2.", "0.", "0.", "2.5", "0.", "0.", "2.5", "0.5", "0."]), form=12),
         Entity(104, p.join(["1.", "0.", "4.", "0.", "0.", "-0.0625", "0.", "0.25", "0.", "0.25", "0."]), form=1,
                matrix=13),
         Entity(104, p.join(["1.", "0.", "0.", "0.", "-1.", "0.", "0.", "0.5", "0.25", "-0.5", "0.25"]), form=3,
                matrix=15),
         Entity(104, p.join(["1.", "0.", "-1.", "0.", "0.", "-0.01", "0.", "0.1", "0.", "0.2", "0.17320508075688773"]),
                form=2, matrix=17),
         matrix(((1, 0, 0), (0, 1, 0), (0, 0, 1)), (1, 2, 0), ),
         matrix(((1, 0, 0), (0, 1, 0), (0, 0, 1)), (2, 2, 0)),
         matrix(((1, 0, 0), (0, 1, 0), (0, 0, 1)), (3, 2, 0)),
         Entity(112, p.join(["3", "1", "2", "2", "0.", "1.", "2.",
                             "4.", "0.5", "0.", "0.", "1.", "0.", "0.", "0.5", "0.", "0.", "0.", "0.",
                             "4.5", "0.5", "0.", "0.", "1.5", "1.5", "-1.5", "0.5", "0.", "0.", "0.", "0.",
                             "5.", "1.", "0.", "0.", "0.", "0.5", "0.", "0.", "0.", "0.", "0.", "0."]))]
    for ent in e:
        ent.params = ent.params.replace(",", p)
    return iges(e, 4, "FT", "/", "#", "")


def annotated_drawing():
    # A sheet as drafting systems write it: the part (solid lines and arcs),
    # hidden edges (font 2), centre lines (font 4 and a 106 form 20),
    # dimensions with leaders and witness lines, a note, a view and a drawing.
    part = [line(0, 0, 80, 0), line(80, 0, 80, 30), arc(80, 40, 80, 30, 80, 50), line(80, 50, 80, 60),
            line(80, 60, 0, 60), line(0, 60, 0, 0), arc(40, 30, 52, 30, 52, 30)]
    hidden = [line(20, 0, 20, 60, font=2), line(60, 0, 60, 60, font=2)]
    centres = [line(28, 30, 52, 30, font=4), Entity(106, "1,2,0.,40.,16.,40.,44.", form=20, status=ANNOTATION)]
    k = len(part) + len(hidden) + len(centres)
    notes = [Entity(212, "1,8,20.,3.,0,0.,0.,0,0,10.,-10.,0.,8HPLATE 10", status=ANNOTATION),   # k
             Entity(214, "2,3.,1.,0.,0.,0.,10.,0.,80.,0.", form=1, status=ANNOTATION),        # k+1
             Entity(214, "2,3.,1.,0.,0.,0.,70.,0.,0.,0.", form=1, status=ANNOTATION),         # k+2
             Entity(106, "1,3,0.,0.,-2.,0.,-12.,0.,-14.", form=40, status=ANNOTATION),         # k+3
             Entity(106, "1,3,0.,80.,-2.,80.,-12.,80.,-14.", form=40, status=ANNOTATION),      # k+4
             Entity(216, "%d,%d,%d,%d,%d" % (2 * k + 1, 2 * k + 3, 2 * k + 5, 2 * k + 7, 2 * k + 9),
                    status=ANNOTATION),
             Entity(410, "1,1.,0,0.,0.,0.,0.,0.,0.,0.", status="00000100"),
             Entity(404, "1,%d,0.,0.,0" % (2 * (k + 6) + 1), status="00000000")]
    return iges(part + hidden + centres + notes)


def main():
    write("hand_slot_inch.igs", slot_inch())
    write("hand_matrix_chain.igs", matrix_chain())
    write("hand_subfigures.igs", subfigures())
    write("hand_curves_feet.igs", curves_feet())
    write("hand_annotated_drawing.igs", annotated_drawing())


if __name__ == "__main__":
    main()
