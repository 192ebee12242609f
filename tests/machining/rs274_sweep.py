#!/usr/bin/python3
"""NC programs of random contours run through LinuxCNC's standalone interpreter.

Usage: rs274_sweep.py VEXLINE_CLI [--count N] [--seed S] [--keep DIR]

Builds random contour files (lines, arcs both ways, fillets, round holes,
tangent and radial leads, one or two sub-paths), runs `vexline-cli nc` on each
with a random wire offset in -0.5..0.5, reverse program, side and placed
pieces (shifted, rotated, mirrored), reduces every program to the words a
wire controller and LinuxCNC share (G00-G03, G90, G92, X, Y, I, J), and runs
the programs in batches through `rs274 -g`. Any error line of the interpreter
fails the run. Exits 77 (skipped) when rs274 is not installed.

With --keep DIR the contour files, options and programs are kept there
(contour NNNN: cNNNN.dat, cNNNN.args, cNNNN-1.nc, cNNNN-2.nc), so two builds
can be compared program by program.
"""
import argparse
import math
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile

SKIP = 77
BATCH = 150  # programs per interpreter run

# --- contour elements -----------------------------------------------------
# ("L", p, q) a line; ("A", p, q, c, r) an arc from p to q about c, r > 0
# counter-clockwise, r < 0 clockwise.


def sub(a, b):
    return (a[0] - b[0], a[1] - b[1])


def add(a, b):
    return (a[0] + b[0], a[1] + b[1])


def mul(a, k):
    return (a[0] * k, a[1] * k)


def length(a):
    return math.hypot(a[0], a[1])


def unit(a):
    n = length(a)
    return (a[0] / n, a[1] / n)


def left(a):
    return (-a[1], a[0])


def polar(c, r, ang):
    return (c[0] + r * math.cos(ang), c[1] + r * math.sin(ang))


def arc_by_sweep(p, q, sweep, ccw):
    """The arc from p to q turning through sweep radians (0 < sweep < 2 pi)."""
    chord = length(sub(q, p))
    r = chord / 2 / math.sin(sweep / 2)
    h = r * math.cos(sweep / 2)  # centre distance from the chord's middle, signed
    mid = mul(add(p, q), 0.5)
    n = left(unit(sub(q, p)))
    c = add(mid, mul(n, h if ccw else -h))
    return ("A", p, q, c, r if ccw else -r)


def tangent_at(e, start):
    """Unit direction of travel of element e at its start (or end)."""
    if e[0] == "L":
        return unit(sub(e[2], e[1]))
    p = e[1] if start else e[2]
    radial = unit(sub(p, e[3]))
    return left(radial) if e[4] > 0 else mul(left(radial), -1)


def split(e, t):
    """Element e cut at parameter t in (0, 1): two elements."""
    if e[0] == "L":
        m = add(e[1], mul(sub(e[2], e[1]), t))
        return [("L", e[1], m), ("L", m, e[2])]
    c, r = e[3], e[4]
    a0 = math.atan2(e[1][1] - c[1], e[1][0] - c[0])
    a1 = math.atan2(e[2][1] - c[1], e[2][0] - c[0])
    if r > 0:
        while a1 <= a0:
            a1 += 2 * math.pi
    else:
        while a1 >= a0:
            a1 -= 2 * math.pi
    m = polar(c, abs(r), a0 + (a1 - a0) * t)
    return [("A", e[1], m, c, r), ("A", m, e[2], c, r)]


def polygon(rng, centre, size, n, ccw):
    angles = sorted(rng.uniform(0, 2 * math.pi) for _ in range(n))
    # Keep the corners apart so that no edge is tiny.
    for k in range(1, n):
        angles[k] = max(angles[k], angles[k - 1] + 0.35)
    if angles[-1] - angles[0] > 2 * math.pi - 0.35:
        angles = [2 * math.pi * k / n for k in range(n)]
    pts = [polar(centre, size * rng.uniform(0.6, 1.0), a) for a in angles]
    return pts if ccw else pts[::-1]


def fillet(rng, a, v, b):
    """Tangent corner arc at v between lines a->v and v->b, or None."""
    d1, d2 = unit(sub(v, a)), unit(sub(b, v))
    cross = d1[0] * d2[1] - d1[1] * d2[0]
    turn = math.acos(max(-1.0, min(1.0, d1[0] * d2[0] + d1[1] * d2[1])))
    if turn < 0.2 or turn > 2.6:
        return None
    r = rng.uniform(0.8, 3.0)
    t = r * math.tan(turn / 2)
    if t > 0.4 * length(sub(v, a)) or t > 0.4 * length(sub(b, v)):
        return None
    p, q = sub(v, mul(d1, t)), add(v, mul(d2, t))
    c = add(p, mul(left(d1), r if cross > 0 else -r))
    return p, ("A", p, q, c, r if cross > 0 else -r), q


def loop_polygon(rng, centre, ccw):
    """A polygon whose edges may be arcs (both ways) and whose corners may be
    rounded by tangent corner arcs."""
    pts = polygon(rng, centre, rng.uniform(6, 20), rng.randint(3, 7), ccw)
    n = len(pts)
    corners = {}
    if rng.random() < 0.5:
        for k in range(n):
            if rng.random() < 0.4:
                f = fillet(rng, pts[k - 1], pts[k], pts[(k + 1) % n])
                if f:
                    corners[k] = f
    elems = []
    for k in range(n):
        a, b = pts[k], pts[(k + 1) % n]
        start = corners[k][2] if k in corners else a
        end = corners[(k + 1) % n][0] if (k + 1) % n in corners else b
        if k in corners:
            elems.append(corners[k][1])
        if (k not in corners and (k + 1) % n not in corners) and rng.random() < 0.5:
            sweep = rng.uniform(0.3, 2.8) if rng.random() < 0.9 else rng.uniform(3.3, 4.5)
            elems.append(arc_by_sweep(start, end, sweep, rng.random() < 0.5))
        else:
            elems.append(("L", start, end))
    return elems


def loop_arcs(rng, centre, ccw):
    """Arcs only, meeting at corners: arc-arc joins in every direction."""
    pts = polygon(rng, centre, rng.uniform(6, 18), rng.randint(2, 5), ccw)
    if len(pts) == 2:
        return [arc_by_sweep(pts[0], pts[1], rng.uniform(0.5, 2.9), rng.random() < 0.5),
                arc_by_sweep(pts[1], pts[0], rng.uniform(0.5, 2.9), rng.random() < 0.5)]
    return [arc_by_sweep(pts[k], pts[(k + 1) % len(pts)], rng.uniform(0.3, 2.6), rng.random() < 0.6)
            for k in range(len(pts))]


def loop_slot(rng, centre, ccw):
    """A slot: two lines joined tangentially by two half circles."""
    r, half = rng.uniform(1.5, 6), rng.uniform(2, 10)
    ang = rng.uniform(0, math.pi)
    u = (math.cos(ang), math.sin(ang))
    n = left(u)
    c1, c2 = add(centre, mul(u, half)), sub(centre, mul(u, half))
    p1, p2 = add(c2, mul(n, -r)), add(c1, mul(n, -r))
    p3, p4 = add(c1, mul(n, r)), add(c2, mul(n, r))
    elems = [("L", p1, p2), ("A", p2, p3, c1, r), ("L", p3, p4), ("A", p4, p1, c2, r)]
    return elems if ccw else reverse_loop(elems)


def loop_circle(rng, centre, ccw):
    """A round hole: one full circle, entered at a random angle."""
    r = rng.uniform(1.5, 12)
    p = polar(centre, r, rng.uniform(0, 2 * math.pi))
    return [("A", p, p, centre, r if ccw else -r)]


def reverse_loop(elems):
    out = []
    for e in reversed(elems):
        out.append(("L", e[2], e[1]) if e[0] == "L" else ("A", e[2], e[1], e[3], -e[4]))
    return out


def rotate_to(elems, k):
    return elems[k:] + elems[:k]


def sub_path(rng, centre):
    """Rows of one sub-path: start hole, approach line, the closed contour,
    exit line, end point. Returns (rows, description)."""
    kind = rng.choice(["polygon", "polygon", "arcs", "slot", "circle"])
    ccw = rng.random() < 0.5
    elems = {"polygon": loop_polygon, "arcs": loop_arcs, "slot": loop_slot, "circle": loop_circle}[kind](
        rng, centre, ccw)
    # Entry: a corner of the contour, or inside an element (a smooth entry).
    k = rng.randrange(len(elems))
    elems = rotate_to(elems, k)
    if kind != "circle" and rng.random() < 0.5:
        first, last = split(elems[0], rng.uniform(0.2, 0.8))
        elems = [last] + elems[1:] + [first]
    if kind == "circle" and rng.random() < 0.3:
        # Two arcs of the one circle: the entry lies where they meet.
        e = elems[0]
        opposite = add(e[3], sub(e[3], e[1]))
        elems = [("A", e[1], opposite, e[3], e[4]), ("A", opposite, e[1], e[3], e[4])]
    v = elems[0][1]
    lead = rng.choice(["radial", "tangent", "tangent", "axis", "free"])
    t_in = tangent_at(elems[0], True)
    start = None
    if lead == "radial":
        start = elems[0][3] if elems[0][0] == "A" and rng.random() < 0.7 else centre
    elif lead == "tangent":
        start = sub(v, mul(t_in, rng.uniform(1.5, 6)))
    elif lead == "axis" and elems[0][0] == "A":
        # A tangent lead from a start hole on the circle's horizontal or
        # vertical axis: the entry is moved to the tangent point.
        c, r = elems[0][3], abs(elems[0][4])
        dist = r * rng.uniform(1.2, 2.5)
        axis = rng.choice([(1, 0), (-1, 0), (0, 1), (0, -1)])
        start = add(c, mul(axis, dist))
        phi = math.acos(r / dist) * (1 if elems[0][4] < 0 else -1)
        base = math.atan2(axis[1], axis[0])
        tangent_point = polar(c, r, base + phi)
        if len(elems) == 1:
            elems = [("A", tangent_point, tangent_point, c, elems[0][4])]
            v = tangent_point
        else:
            start = sub(v, mul(t_in, rng.uniform(1.5, 6)))
    if start is None:
        start = add(v, (rng.uniform(-4, 4), rng.uniform(-4, 4)))
    if length(sub(start, v)) < 0.5:
        start = add(v, mul(left(t_in), -2 if ccw else 2))
    t_out = tangent_at(elems[-1], False)
    exit_kind = rng.choice(["back", "back", "tangent", "free"])
    end = start
    if exit_kind == "tangent":
        end = add(v, mul(t_out, rng.uniform(1.5, 6)))
    elif exit_kind == "free":
        end = add(v, (rng.uniform(-4, 4), rng.uniform(-4, 4)))
    if length(sub(end, v)) < 0.5:
        end = start
    rows = [(start, 0.0), (v, 0.0)]
    for e in elems:
        if e[0] == "A":
            rows.append((e[3], e[4]))
        rows.append((e[2], 0.0))
    rows.append((end, 0.0))
    return rows, f"{kind}/{lead}/{exit_kind}"


def contour_table(rng):
    """Rows (x, y, code, p1) of a contour file with one or two sub-paths."""
    rows, kinds = [], []
    count = 2 if rng.random() < 0.35 else 1
    for s in range(count):
        centre = (rng.uniform(-20, 20) + 45 * s, rng.uniform(-20, 20))
        part, kind = sub_path(rng, centre)
        if s > 0:
            rows.append(((0.0, 0.0), 0.0, 88))
        rows.extend((p, r, 0) for p, r in part)
        kinds.append(kind)
    places = rng.choice([4, 6, 10])
    table = [(round(p[0], places), round(p[1], places), code, round(r, places)) for p, r, code in rows]
    return table, "+".join(kinds)


def number(v):
    text = f"{v:.10f}".rstrip("0").rstrip(".")
    return "0" if text in ("", "-0") else text


def table_text(table):
    lines = [str(len(table))]
    lines += [f"{number(x)},{number(y)},{code},{number(p1)},0" for x, y, code, p1 in table]
    lines.append("0,0,99,0,0")
    return "\r\n".join(lines) + "\r\n"


def nc_options(rng):
    offset = 0
    while offset == 0:
        offset = round(rng.uniform(-0.5, 0.5), 3)
    args = ["--offset", f"{offset:g}", "--reverse", rng.choice(["0", "1"]), "--side", rng.choice(["1", "2"])]
    for k in range(rng.choice([1, 1, 1, 2, 3])):
        angle = rng.choice(["", "", "90", "180", "-90", f"{rng.uniform(-180, 180):.3f}"])
        mirror = rng.choice(["", "", "1", "2"])
        sx = "0" if k == 0 and not angle and not mirror else f"{rng.uniform(-60, 60):.2f}"
        args += ["--piece", f"{sx},{rng.uniform(-60, 60):.2f},{angle},{mirror}"]
    return args


# --- programs ---------------------------------------------------------------
SHARED = re.compile(r"^(G0?[0-3]|G90|G92)$")
WORD = re.compile(r"([A-Z])([-+.0-9]*)")


def reduce_block(line):
    """The words of one block that LinuxCNC reads as the wire controller does."""
    kept = []
    for letter, value in WORD.findall(line):
        word = letter + value
        if letter == "G" and SHARED.match(word):
            kept.append(word)
        elif letter in "XYIJ":
            kept.append(word)
    return "".join(kept)


def reduce_program(text, tag):
    out = []
    for n, line in enumerate(text.split("\r\n"), 1):
        block = reduce_block(line.strip())
        if block:
            out.append(f"{block} ({tag} line {n})")
    return out


TAG = re.compile(r"\((c\d+-\d) [^()]* line \d+\)$")


def run_batch(rs274, programs, workdir):
    """Runs the programs through the interpreter, going on after an error;
    returns (program, text) for every error line."""
    path = os.path.join(workdir, "batch.ngc")
    with open(path, "w") as f:
        # Millimetres (the interpreter's radius tolerance is then taken in mm)
        # and a feed rate, which it needs for G01 to G03.
        f.write("G21 G17 G90 F100\n")
        for lines in programs:
            f.write("\n".join(lines) + "\n")
        f.write("M2\n")
    command = [rs274, "-g", "-n", "0", path, os.devnull]
    done = subprocess.run(command, capture_output=True, text=True, cwd=workdir)
    if done.returncode < 0:
        # Killed by a signal (seen once, under heavy load, not again on the same
        # programs): the batch is run once more before it counts.
        done = subprocess.run(command, capture_output=True, text=True, cwd=workdir)
    # Each error is a message line followed by the block it rejects.
    lines = [line.strip() for line in (done.stdout + "\n" + done.stderr).replace("executing", "").splitlines()]
    lines = [line for line in lines if line]
    errors = []
    for k, line in enumerate(lines):
        if TAG.search(line):
            continue
        block = lines[k + 1] if k + 1 < len(lines) and TAG.search(lines[k + 1]) else ""
        program = TAG.search(block).group(1) if block else "batch"
        errors.append((program, f"{line}\n    at {block}"))
    if done.returncode != 0:
        errors.append(("batch", f"rs274 exit status {done.returncode}"))
    return errors


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("cli")
    parser.add_argument("--count", type=int, default=1000)
    parser.add_argument("--seed", type=int, default=20240613)
    parser.add_argument("--keep")
    opts = parser.parse_args()
    rs274 = shutil.which("rs274")
    if not rs274:
        print("rs274 not found (Debian package linuxcnc-uspace): NC programs not checked by an interpreter")
        return SKIP
    rng = random.Random(opts.seed)
    with tempfile.TemporaryDirectory() as home:
        env = dict(os.environ, VEXLINE_HOME=home)
        programs, errors, messages = [], [], 0
        for c in range(opts.count):
            table, kind = contour_table(rng)
            args = nc_options(rng)
            text = table_text(table)
            with open(os.path.join(home, "CON2TA.dat"), "w", newline="") as f:
                f.write(text)
            for name in ("NC1.dat", "NC2.dat"):
                if os.path.exists(os.path.join(home, name)):
                    os.remove(os.path.join(home, name))
            done = subprocess.run([opts.cli, "nc", *args], env=env, capture_output=True, text=True)
            if done.returncode != 0:
                errors.append((f"c{c:04d}", f"contour {c} ({kind}) {args}: exit {done.returncode}: "
                                             f"{done.stderr.strip()}"))
                continue
            messages += len(done.stderr.splitlines())
            if opts.keep:
                os.makedirs(opts.keep, exist_ok=True)
                with open(os.path.join(opts.keep, f"c{c:04d}.dat"), "w", newline="") as f:
                    f.write(text)
                with open(os.path.join(opts.keep, f"c{c:04d}.args"), "w") as f:
                    f.write(kind + "\n" + " ".join(args) + "\n")
            for p, name in enumerate(("NC1.dat", "NC2.dat"), 1):
                path = os.path.join(home, name)
                if not os.path.exists(path):
                    continue
                with open(path, newline="") as f:
                    program = f.read()
                if opts.keep:
                    shutil.copy(path, os.path.join(opts.keep, f"c{c:04d}-{p}.nc"))
                programs.append(reduce_program(program, f"c{c:04d}-{p} {kind}"))
        count = len(programs)
        for b in range(0, count, BATCH):
            errors += run_batch(rs274, programs[b:b + BATCH], home)
    # After a rejected block the interpreter goes on from where it was, so one
    # fault can bring more error lines in the same program; the first of each
    # program is shown.
    failed = {}
    for program, text in errors:
        failed.setdefault(program, text)
    for text in list(failed.values())[:40]:
        print(text)
    if opts.keep:
        with open(os.path.join(opts.keep, "rejected.txt"), "w") as f:
            f.write("".join(f"{program}\n" for program in sorted(failed)))
    print(f"{opts.count} contours, {count} programs, {len(errors)} interpreter error lines "
          f"in {len(failed)} programs, {messages} offset messages")
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
