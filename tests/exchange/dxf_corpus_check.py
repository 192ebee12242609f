#!/usr/bin/python3
"""DXF import of real drawings checked against an independent reading by ezdxf.

Usage: dxf_corpus_check.py VEXLINE_CLI DRAWING_OR_FOLDER... [--expect FILE] [--quiet]

Each drawing is imported with `vexline-cli import-dxf FILE --smooth 0
--round 0` into a fresh folder. ezdxf reads the same file: the model space,
INSERT and MINSERT exploded through their blocks, LWPOLYLINE and POLYLINE
split into lines and arcs, ARC, CIRCLE, ELLIPSE and SPLINE flattened within
0.0005 mm; circles and arcs of the start-marker radius 0.222 are markers, not
geometry, and invisible entities (group 60 = 1, drawn by no CAD system) are
not part of the part. Both readings are compared in both directions: every point of the
imported contour lies within 0.01 mm of ezdxf's geometry, and every point of
ezdxf's geometry within 0.01 mm of the contour (an arc on the wrong side of
its chord, a missing or an extra entity fails). The expect file names, per
drawing, "import" or "refuse TEXT" (the refusal message must hold TEXT).
Prints one line per drawing and the largest deviation; exits 1 on a failure.
"""
import math
import os
import subprocess
import sys
import tempfile

import ezdxf

TOL = 0.01
FLAT = 0.0005
MARKER = 0.222


def run_import(cli, home, drawing):
    env = dict(os.environ, VEXLINE_HOME=home)
    done = subprocess.run([cli, "import-dxf", drawing, "--smooth", "0", "--round", "0"], env=env,
                          capture_output=True, text=True, timeout=120)
    return done.returncode, done.stderr


def read_table(path):
    with open(path, newline="") as f:
        lines = f.read().split("\r\n")
    count = int(lines[0])
    rows = []
    for line in lines[1:count + 1]:
        rows.append([float(v) if v else 0.0 for v in line.split(",")])
    return rows


def contour_polylines(rows):
    """The contour as point lists: each line two points, each arc flattened."""
    result = []
    last = None
    i = 0
    while i < len(rows):
        x, y, code, p1, _ = rows[i]
        if code == 88:
            last = None
        elif p1 != 0:
            end = (rows[i + 1][0], rows[i + 1][1])
            result.append(arc_points(last, end, (x, y), p1))
            last = end
            i += 1
        else:
            if last is not None:
                result.append([last, (x, y)])
            last = (x, y)
        i += 1
    return result


def arc_points(start, end, centre, signed_radius):
    r = abs(signed_radius)
    a1 = math.atan2(start[1] - centre[1], start[0] - centre[0])
    a2 = math.atan2(end[1] - centre[1], end[0] - centre[0])
    if signed_radius > 0:
        sweep = (a2 - a1) % (2 * math.pi)
    else:
        sweep = -((a1 - a2) % (2 * math.pi))
    if abs(start[0] - end[0]) < 1e-12 and abs(start[1] - end[1]) < 1e-12:
        sweep = 2 * math.pi if signed_radius > 0 else -2 * math.pi
    steps = max(4, int(abs(sweep) * r / 0.05) + 1, int(abs(sweep) / 0.05) + 1)
    steps = min(steps, 20000)
    pts = [(centre[0] + r * math.cos(a1 + sweep * k / steps), centre[1] + r * math.sin(a1 + sweep * k / steps))
           for k in range(steps + 1)]
    pts[0], pts[-1] = start, end
    return pts


def is_marker(entity):
    return entity.dxftype() in ("CIRCLE", "ARC") and abs(entity.dxf.radius - MARKER) < 1e-9


def ellipse_points(entity):
    """An ellipse sampled evenly in its parameter, chords within FLAT."""
    tool = entity.construction_tool()
    span = tool.param_span
    # An end parameter a hair past 2 pi (6.28318530718, as LibreCAD writes a
    # full ellipse) leaves ezdxf a span of almost nothing: it is a full turn.
    if 0 < span < 1e-9:
        span = 2 * math.pi
    if span == 0:
        return []
    major = tool.major_axis.magnitude
    n = min(200000, int(span * math.sqrt(major / (8 * FLAT))) + 16)
    params = [tool.start_param + span * k / n for k in range(n + 1)]
    return [(v.x, v.y) for v in tool.vertices(params)]


def polyline_pieces(entity):
    """A POLYLINE without its spline frame control points (not drawn by CAD
    systems), as ezdxf pieces."""
    if entity.dxftype() == "POLYLINE" and (entity.is_2d_polyline or entity.is_3d_polyline):
        frame = [v for v in entity.vertices if v.dxf.flags & 16]
        if frame:
            for v in frame:
                entity.vertices.remove(v)
    return entity.virtual_entities()


def ezdxf_polylines(path):
    """ezdxf's reading of the model space as point lists."""
    try:
        doc = ezdxf.readfile(path)
    except ezdxf.DXFStructureError:
        # Files of some writers (dxflib) need ezdxf's recovering reader.
        from ezdxf import recover
        doc, _ = recover.readfile(path)
    # A DIMENSION inside a block is annotation as it is in model space, but
    # exploding the block would draw it as lines: it is taken out first.
    # ezdxf cannot copy some entities' extension dictionaries (TurboCAD's),
    # which exploding needs: they carry no geometry and are dropped.
    for block in doc.blocks:
        for entity in [e for e in block if e.dxftype() in ("DIMENSION", "ARC_DIMENSION", "LARGE_RADIAL_DIMENSION")]:
            block.delete_entity(entity)
        for entity in block:
            if entity.has_extension_dict:
                entity.discard_extension_dict()
    result = []

    def add(entity, depth=0):
        kind = entity.dxftype()
        if entity.dxf.is_supported("invisible") and entity.dxf.get("invisible", 0) == 1:
            return
        if kind == "INSERT":
            inserts = entity.multi_insert() if entity.mcount > 1 else [entity]
            for ins in inserts:
                for child in ins.virtual_entities():
                    add(child, depth + 1)
        elif kind == "LINE":
            s, e = entity.dxf.start, entity.dxf.end
            # A line of no length (a point drawn as a line) is no geometry.
            if (s.x, s.y) != (e.x, e.y):
                result.append([(s.x, s.y), (e.x, e.y)])
        elif kind in ("LWPOLYLINE", "POLYLINE"):
            if kind == "POLYLINE" and (entity.is_polygon_mesh or entity.is_poly_face_mesh):
                return
            for piece in polyline_pieces(entity):
                add(piece, depth)
        elif kind in ("ARC", "CIRCLE", "ELLIPSE", "SPLINE"):
            if is_marker(entity):
                return
            # The entities' own flattening lies on the true curve (a path
            # would approximate arcs by Bezier curves first).
            if kind == "ELLIPSE":
                result.append(ellipse_points(entity))
            else:
                result.append([(v.x, v.y) for v in entity.flattening(FLAT)])

    for entity in doc.modelspace():
        add(entity)
    return result


class SegmentGrid:
    """Segments of point lists in a grid of cells, for nearest-distance queries."""

    def __init__(self, polylines, cell):
        self.cell = cell
        self.cells = {}
        for pts in polylines:
            for a, b in zip(pts, pts[1:]):
                self._add(a, b)
            if len(pts) == 1:
                self._add(pts[0], pts[0])

    def _key(self, x, y):
        return (math.floor(x / self.cell), math.floor(y / self.cell))

    def _add(self, a, b):
        # The cells along the segment, a step of half a cell apart; a query
        # looks at the neighbouring cells too.
        length = math.hypot(b[0] - a[0], b[1] - a[1])
        steps = max(1, int(2 * length / self.cell) + 1)
        keys = {self._key(a[0] + (b[0] - a[0]) * k / steps, a[1] + (b[1] - a[1]) * k / steps)
                for k in range(steps + 1)}
        for key in keys:
            self.cells.setdefault(key, []).append((a, b))

    def distance(self, p):
        kx, ky = self._key(p[0], p[1])
        best = math.inf
        for i in (kx - 1, kx, kx + 1):
            for j in (ky - 1, ky, ky + 1):
                for a, b in self.cells.get((i, j), ()):
                    best = min(best, segment_distance(p, a, b))
        return best


def segment_distance(p, a, b):
    dx, dy = b[0] - a[0], b[1] - a[1]
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((p[0] - a[0]) * dx + (p[1] - a[1]) * dy) / length2))
    return math.hypot(p[0] - a[0] - t * dx, p[1] - a[1] - t * dy)


def dense(polylines, spacing=0.25):
    """Points along every point list, at most `spacing` apart."""
    for pts in polylines:
        if not pts:
            continue
        yield pts[0]
        for a, b in zip(pts, pts[1:]):
            n = max(1, min(2000, int(math.hypot(b[0] - a[0], b[1] - a[1]) / spacing)))
            for k in range(1, n + 1):
                yield (a[0] + (b[0] - a[0]) * k / n, a[1] + (b[1] - a[1]) * k / n)


def max_deviation(ours, theirs):
    cell = 1.0
    theirs_grid, ours_grid = SegmentGrid(theirs, cell), SegmentGrid(ours, cell)
    worst = 0.0
    for p in dense(ours):
        worst = max(worst, theirs_grid.distance(p))
        if worst > TOL:
            return worst, "contour point %s far from ezdxf's geometry" % (p,)
    for p in dense(theirs):
        worst = max(worst, ours_grid.distance(p))
        if worst > TOL:
            return worst, "ezdxf's point %s missing from the contour" % (p,)
    return worst, ""


def load_expectations(path):
    expect = {}
    if path:
        with open(path, encoding="utf-8") as f:
            for line in f:
                line = line.strip()
                if line and not line.startswith("#"):
                    name, _, rest = line.partition(" ")
                    expect[name] = rest.strip()
    return expect


def main():
    args = sys.argv[1:]
    quiet = "--quiet" in args
    args = [a for a in args if a != "--quiet"]
    expect_file = None
    if "--expect" in args:
        i = args.index("--expect")
        expect_file = args[i + 1]
        del args[i:i + 2]
    cli, targets = args[0], args[1:]
    expect = load_expectations(expect_file)
    drawings = []
    for t in targets:
        if os.path.isdir(t):
            drawings += sorted(os.path.join(t, n) for n in os.listdir(t) if n.lower().endswith(".dxf"))
        else:
            drawings.append(t)
    failures, imported, refused, worst_all = 0, 0, 0, 0.0
    for drawing in drawings:
        name = os.path.basename(drawing)
        wanted = expect.get(name, "import")
        with tempfile.TemporaryDirectory() as home:
            code, err = run_import(cli, home + "/", drawing)
            status, note = "ok", ""
            if code != 0:
                refused += 1
                message = err.strip().splitlines()[-1] if err.strip() else "(no message)"
                if wanted.startswith("refuse") and wanted[7:] in message:
                    note = "refused as expected: " + message
                else:
                    status, note = "FAIL", "refused: " + message
            elif wanted.startswith("refuse"):
                status, note = "FAIL", "imported, expected a refusal: " + wanted
            else:
                imported += 1
                ours = contour_polylines(read_table(os.path.join(home, "CON2TA.dat")))
                try:
                    theirs = ezdxf_polylines(drawing)
                except Exception as error:  # ezdxf cannot read it: our reading stands alone
                    theirs = None
                    note = "ezdxf cannot read it (%s)" % error
                if theirs is not None:
                    worst, why = max_deviation(ours, theirs)
                    worst_all = max(worst_all, worst)
                    note = "max deviation %.6f mm, %d pieces" % (worst, len(ours))
                    if why:
                        status, note = "FAIL", why
        if status == "FAIL":
            failures += 1
        if status == "FAIL" or not quiet:
            print("%-4s %s: %s" % (status, name, note))
    print("%d drawings: %d imported, %d refused, %d failed; largest deviation %.6f mm"
          % (len(drawings), imported, refused, failures, worst_all))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
