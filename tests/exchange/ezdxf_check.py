#!/usr/bin/python3
"""End-to-end check of the DXF import and export with drawings made by ezdxf.

Usage: ezdxf_check.py VEXLINE_CLI

Draws scrambled lines, arcs, circles, start markers and LWPOLYLINEs with
bulges, imports them with `vexline-cli import-dxf`, checks the chained
contour file, exports it with `export-dxf` and `export-iges`, loads every
exported DXF with ezdxf (audit without errors, the expected LINE and ARC
entities) and reads the IGES file back to the same contour.
"""
import math
import os
import subprocess
import sys
import tempfile

import ezdxf

TOL = 1e-6


def run(cli, home, *args):
    env = dict(os.environ, VEXLINE_HOME=home)
    done = subprocess.run([cli, *args], env=env, capture_output=True, text=True)
    if done.returncode != 0:
        raise AssertionError(f"{args}: exit {done.returncode}: {done.stderr}")
    return done.stdout


def read_table(path):
    with open(path, newline="") as f:
        lines = f.read().split("\r\n")
    count = int(lines[0])
    rows = []
    for line in lines[1:count + 2]:
        fields = [float(v) if v else 0.0 for v in line.split(",")]
        rows.append(fields)
    assert rows[-1][2] == 99, "terminator row missing"
    return rows[:-1]


def chains(rows):
    """Splits contour rows at separators into lists of segments:
    ("L", p, q) or ("A", p, q, centre, signed radius)."""
    result, current, last_point = [], [], None
    i = 0
    while i < len(rows):
        x, y, code, p1, _ = rows[i]
        if code == 88:
            result.append(current)
            current, last_point = [], None
        elif p1 != 0:
            nx, ny = rows[i + 1][0], rows[i + 1][1]
            current.append(("A", last_point, (nx, ny), (x, y), p1))
            last_point = (nx, ny)
            i += 1
        else:
            if last_point is not None:
                current.append(("L", last_point, (x, y)))
            last_point = (x, y)
        i += 1
    result.append(current)
    return result


def undirected(chain):
    """A chain's segments without their direction, for comparing geometry."""
    key = lambda p: (round(p[0], 6), round(p[1], 6))
    result = []
    for seg in chain:
        ends = tuple(sorted([key(seg[1]), key(seg[2])]))
        result.append(ends if seg[0] == "L" else (ends, key(seg[3]), round(abs(seg[4]), 6)))
    return sorted(result, key=repr)


def near(p, q, tol=TOL):
    return math.hypot(p[0] - q[0], p[1] - q[1]) < tol


def on_arc(seg, point):
    """True when point lies on the arc segment's travelled side."""
    _, a, b, c, r = seg
    ang = lambda p: math.atan2(p[1] - c[1], p[0] - c[0])
    sweep = lambda f, t: (t - f) % (2 * math.pi)
    if r > 0:
        return sweep(ang(a), ang(point)) <= sweep(ang(a), ang(b)) or near(a, b)
    return sweep(ang(b), ang(point)) <= sweep(ang(b), ang(a)) or near(a, b)


def scrambled_drawing(path):
    """A closed outline of lines, arcs and a bulged polyline in scrambled
    order and direction, a separate circle, and markers at both starts."""
    doc = ezdxf.new("R2000")
    msp = doc.modelspace()
    msp.add_lwpolyline([(50, 30, 1), (30, 30, 0), (0, 30)], format="xyb")  # half circle over (40, 40)
    msp.add_line((50, 30), (50, 10))                                      # stored backwards
    msp.add_circle((20, 15), 3)
    msp.add_arc((0, 7.5), 7.5, 90, 270)                                   # left of (0, 7.5)
    msp.add_circle((0, 0), 0.222)                                         # start marker
    msp.add_line((40, 0), (0, 0))                                         # stored backwards
    msp.add_arc((40, 10), 10, 270, 360)                                   # (40, 0) to (50, 10)
    msp.add_line((0, 30), (0, 15))
    msp.add_circle((23, 15), 0.222)                                       # second start marker
    doc.saveas(path)


def check_scrambled(rows):
    found = chains(rows)
    assert len(found) == 2, f"expected two chains, got {len(found)}"
    outline, circle = found
    assert near(outline[0][1], (0, 0)), f"outline starts at {outline[0][1]}"
    assert near(outline[0][1], outline[-1][2]), "outline is not closed"
    for a, b in zip(outline, outline[1:]):
        assert a[2] == b[1], "chain broken"
    arcs = [s for s in outline if s[0] == "A"]
    expected = {(40, 10): (10, (47.0710678, 2.9289322)), (40, 30): (10, (40, 40)), (0, 7.5): (7.5, (-7.5, 7.5))}
    assert len(arcs) == 3 and len(outline) == 7, f"{len(arcs)} arcs in {len(outline)} segments"
    for seg in arcs:
        centre = min(expected, key=lambda c: math.hypot(c[0] - seg[3][0], c[1] - seg[3][1]))
        radius, through = expected[centre]
        assert near(seg[3], centre, 1e-2) and abs(abs(seg[4]) - radius) < 1e-2, f"arc {seg}"
        assert abs(math.hypot(seg[1][0] - seg[3][0], seg[1][1] - seg[3][1]) - radius) < 1e-2
        assert on_arc(seg, through), f"arc {seg} misses {through}"
    assert len(circle) == 1 and circle[0][0] == "A", f"circle chain {circle}"
    assert near(circle[0][3], (20, 15)) and abs(circle[0][4]) == 3 and near(circle[0][1], (23, 15))


def stadium_drawing(path):
    """A closed LWPOLYLINE of six vertices whose two bulges make half circles."""
    doc = ezdxf.new("R2000")
    points = [(0, 0, 0), (20, 0, 0), (40, 0, 1), (40, 20, 0), (20, 20, 0), (0, 20, 1)]
    doc.modelspace().add_lwpolyline(points, format="xyb", close=True)
    doc.saveas(path)


def check_stadium(rows):
    found = chains(rows)
    assert len(found) == 1 and len(found[0]) == 6, found
    outline = found[0]
    assert near(outline[0][1], outline[-1][2])
    arcs = [s for s in outline if s[0] == "A"]
    assert len(arcs) == 2
    for seg, centre, through in zip(arcs, [(40, 10), (0, 10)], [(50, 10), (-10, 10)]):
        assert near(seg[3], centre) and abs(abs(seg[4]) - 10) < TOL, seg
        assert on_arc(seg, through), (seg, through)


def mirrored_drawing(path):
    """Arcs, a circle and a bulged polyline drawn with the extrusion direction
    (0, 0, -1), as CAD systems store mirrored geometry."""
    doc = ezdxf.new("R2000")
    msp = doc.modelspace()
    down = {"extrusion": (0, 0, -1)}
    msp.add_arc((10, 5), 3, 0, 90, dxfattribs=down)
    msp.add_arc((-20, 0), 4, 200, 30, dxfattribs=down)
    msp.add_circle((30, 5), 2, dxfattribs=down)
    msp.add_lwpolyline([(0, 0, 1), (10, 0, -0.5), (10, -8, 0)], format="xyb", dxfattribs=down)
    doc.saveas(path)
    return doc


def check_mirrored(doc, rows):
    """Every entity comes back where ezdxf places it seen from above."""
    from ezdxf import path as dxfpath
    segments = [s for chain in chains(rows) for s in chain]
    pieces = []
    for e in doc.modelspace():
        pieces.extend(e.virtual_entities() if e.dxftype() == "LWPOLYLINE" else [e])
    assert len(segments) == len(pieces), (segments, pieces)
    for piece in pieces:
        points = [(v.x, v.y) for v in dxfpath.make_path(piece).flattening(0.001)]
        first, last, middle = points[0], points[-1], points[len(points) // 2]
        if piece.dxftype() == "LINE":
            match = [s for s in segments if s[0] == "L" and {s[1], s[2]} == {first, last}]
            assert match, (first, last, segments)
            continue
        centre = piece.ocs().to_wcs(piece.dxf.center)
        match = [s for s in segments if s[0] == "A" and near(s[3], centre, 1e-5)]
        assert len(match) == 1, (piece.dxftype(), centre, segments)
        seg = match[0]
        assert abs(abs(seg[4]) - piece.dxf.radius) < 1e-6, seg
        if piece.dxftype() == "CIRCLE":  # read from its rightmost point round
            assert near(seg[1], seg[2]) and near(seg[1], (centre.x + piece.dxf.radius, centre.y)), seg
            continue
        assert near(seg[1], first, 1e-5) or near(seg[1], last, 1e-5), (seg, first, last)
        assert near(seg[2], first, 1e-5) or near(seg[2], last, 1e-5), (seg, first, last)
        if piece.dxftype() == "ARC":
            assert on_arc(seg, middle), (seg, middle)


def check_dxf_export(path, rows):
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    assert not auditor.has_errors, [str(e.message) for e in auditor.errors]
    msp = doc.modelspace()
    segments = [s for chain in chains(rows) for s in chain]
    lines = [s for s in segments if s[0] == "L"]
    # An arc that ends where it starts is a full circle: a CIRCLE entity.
    circles = [s for s in segments if s[0] == "A" and s[1] == s[2]]
    arcs = [s for s in segments if s[0] == "A" and s[1] != s[2]]
    got_lines = msp.query("LINE")
    got_arcs = msp.query("ARC")
    got_circles = msp.query("CIRCLE")
    assert len(got_lines) == len(lines) and len(got_arcs) == len(arcs), (len(got_lines), len(got_arcs))
    assert len(got_circles) == len(circles), (len(got_circles), len(circles))
    for seg, e in zip(circles, got_circles):
        assert near(seg[3], e.dxf.center) and abs(abs(seg[4]) - e.dxf.radius) < TOL, (seg, e.dxf.center)
    for seg, e in zip(lines, got_lines):
        assert near(seg[1], e.dxf.start) and near(seg[2], e.dxf.end), (seg, e.dxf.start, e.dxf.end)
        assert e.dxf.layer == "0"
    for seg, e in zip(arcs, got_arcs):
        assert near(seg[3], e.dxf.center) and abs(abs(seg[4]) - e.dxf.radius) < TOL
        start, end = (seg[1], seg[2]) if seg[4] > 0 else (seg[2], seg[1])
        assert near(start, e.start_point, 1e-4) and near(end, e.end_point, 1e-4), (seg, e.start_point, e.end_point)
    assert doc.entitydb.handles  # handles were read


def main():
    cli = sys.argv[1]
    with tempfile.TemporaryDirectory() as home:
        home += "/"
        drawing = os.path.join(home, "scrambled.dxf")
        scrambled_drawing(drawing)
        run(cli, home, "import-dxf", drawing)
        rows = read_table(os.path.join(home, "CON2TA.dat"))
        check_scrambled(rows)

        mirrored = os.path.join(home, "mirrored.dxf")
        mirrored_doc = mirrored_drawing(mirrored)
        run(cli, home, "import-dxf", mirrored, "--smooth", "0", "--round", "6")
        check_mirrored(mirrored_doc, read_table(os.path.join(home, "CON2TA.dat")))

        stadium = os.path.join(home, "stadium.dxf")
        stadium_drawing(stadium)
        run(cli, home, "import-dxf", stadium)
        check_stadium(read_table(os.path.join(home, "CON2TA.dat")))
        run(cli, home, "import-dxf", drawing)

        exported = os.path.join(home, "out.dxf")
        run(cli, home, "export-dxf", exported)
        check_dxf_export(exported, rows)

        # The exported DXF imports to the same contour.
        run(cli, home, "import-dxf", exported, "--round", "4")
        again = read_table(os.path.join(home, "CON2TA.dat"))
        assert len(again) >= len(rows) - 2, (len(again), len(rows))

        # IGES round trip of the imported contour.
        with open(os.path.join(home, "CON2TA.dat"), "w", newline="") as f:
            f.write(f"{len(rows)}\r\n" + "".join(",".join(repr(v) for v in r) + "\r\n" for r in rows)
                    + "0.999,0,99,0,0\r\n")
        iges = os.path.join(home, "out.igs")
        run(cli, home, "export-iges", iges)
        run(cli, home, "import-iges", iges, "--round", "0")
        back = read_table(os.path.join(home, "CON2TA.dat"))
        # The same segments in the same chains. IGES arcs always run
        # counter-clockwise, so a chain that begins with a clockwise arc may
        # come back travelled the other way round.
        assert [undirected(c) for c in chains(back)] == [undirected(c) for c in chains(rows)], (back, rows)

        # Every sample drawing of the installation imports and exports cleanly.
        for folder, command in (("sample/dxf", "import-dxf"), ("sample/iges", "import-iges")):
            for name in sorted(os.listdir(os.path.join(home, folder))):
                run(cli, home, command, os.path.join(home, folder, name))
                run(cli, home, "export-dxf", exported)
                check_dxf_export(exported, read_table(os.path.join(home, "CON2TA.dat")))
    print("ezdxf check passed")


if __name__ == "__main__":
    main()
