#!/usr/bin/python3
"""NC programs of random contours run through LinuxCNC's standalone interpreter.

Usage: rs274_sweep.py VEXLINE_CLI RANDOM_CONTOUR_FILES [--count N] [--seed S]
                      [--keep DIR]

RANDOM_CONTOUR_FILES (a test program of this project) writes random contour
files: lines, arcs both ways (radii from 0.01 to 60000), corner arcs, round
holes, slots, keyholes and small notches, entered by radial, tangent or free
approach lines (tangent leads from a start hole on a round hole's axis among
them), one or two sub-paths, some rounded like drawings imported at 2 or 3
decimals. `vexline-cli nc` runs on each with a random wire offset: in
-0.5..0.5, a few thousandths, or within a few thousandths of one of the
contour's radii (exactly equal among them); reverse program, side and placed
pieces (shifted, rotated, mirrored). Every program is reduced to the words a
wire controller and LinuxCNC share (G00-G03, G90, G92, X, Y, I, J) and the
programs run in batches through `rs274 -g`. Any error line of the interpreter
fails the run, and so does an arc block whose start and end, as written, lie
farther than 0.001 apart in their distance from its centre (LinuxCNC allows
more). Exits 77 (skipped) when rs274 is not installed.

With --keep DIR the contour files, options and programs are kept there
(contour NNNN: cNNNN.dat, cNNNN.args, cNNNN-1.nc, cNNNN-2.nc) and the programs
the interpreter rejected are listed in rejected.txt, so that two builds can be
compared program by program.
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


def radii_of(path):
    """The arc radii (|P1| of the centre rows) of a contour file."""
    radii = set()
    with open(path) as f:
        lines = f.read().splitlines()
    for line in lines[1:int(float(lines[0])) + 1]:
        fields = (line.split(",") + [""] * 5)[:5]
        if fields[3].strip() and float(fields[3]) != 0 and fields[2].strip() not in ("88", "99"):
            radii.add(abs(float(fields[3])))
    return sorted(radii)


def nc_options(rng, radii):
    offset = 0
    kind = rng.choice(["any", "any", "any", "tiny", "radius"])
    small = [r for r in radii if r <= 0.5]
    while offset == 0:
        if kind == "tiny":
            offset = rng.choice([1, -1]) * rng.choice([0.001, 0.002, 0.0049, 0.0001])
        elif kind == "radius" and small:
            # An offset equal to an arc's radius shrinks the arc to its centre;
            # one within a few thousandths leaves an arc too small to write.
            delta = rng.choice([0, 0, 0.0001, -0.0001, 0.0005, -0.0005, 0.001, -0.002, 0.003])
            offset = round(rng.choice([1, -1]) * (rng.choice(small) + delta), 10)
        else:
            offset = round(rng.uniform(-0.5, 0.5), 3)
    args = ["--offset", f"{offset:.10g}", "--reverse", rng.choice(["0", "1"]), "--side", rng.choice(["1", "2"])]
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


def arc_gaps(text):
    """Arc blocks whose start and end, as written, lie farther than 0.001
    apart in their distance from the centre."""
    faults = []
    at = (0.0, 0.0)
    for n, line in enumerate(text.split("\r\n"), 1):
        words = dict(WORD.findall(line))
        if "X" not in words or "Y" not in words:
            continue
        to = (float(words["X"]), float(words["Y"]))
        if re.search(r"G0[23]", line):
            c = (at[0] + float(words.get("I", "0") or 0), at[1] + float(words.get("J", "0") or 0))
            gap = abs(math.hypot(at[0] - c[0], at[1] - c[1]) - math.hypot(to[0] - c[0], to[1] - c[1]))
            if gap > 0.001 + 1e-9:
                faults.append(f"line {n} {line}: the arc's radius differs by {gap:.4f} at its end")
        at = to
    return faults


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
    parser.add_argument("contours")
    parser.add_argument("--count", type=int, default=1000)
    parser.add_argument("--seed", type=int, default=1313)
    parser.add_argument("--keep")
    opts = parser.parse_args()
    rs274 = shutil.which("rs274")
    if not rs274:
        print("rs274 not found (Debian package linuxcnc-uspace): NC programs not checked by an interpreter")
        return SKIP
    rng = random.Random(opts.seed)
    with tempfile.TemporaryDirectory() as home, tempfile.TemporaryDirectory() as made:
        subprocess.run([opts.contours, str(opts.seed), str(opts.count), made], check=True)
        with open(os.path.join(made, "kinds.txt")) as f:
            kinds = f.read().split()
        env = dict(os.environ, VEXLINE_HOME=home)
        programs, errors, messages = [], [], 0
        for c in range(opts.count):
            kind = kinds[c]
            args = nc_options(rng, radii_of(os.path.join(made, f"c{c:04d}.dat")))
            shutil.copy(os.path.join(made, f"c{c:04d}.dat"), os.path.join(home, "CON2TA.dat"))
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
                shutil.copy(os.path.join(made, f"c{c:04d}.dat"), opts.keep)
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
                for fault in arc_gaps(program):
                    errors.append((f"c{c:04d}-{p}", f"contour {c} ({kind}) {args}: {fault}"))
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
