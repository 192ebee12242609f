#!/bin/sh
# Writes die.igs, the IGES sample drawing of the installation, with the IGES
# writer of Open CASCADE (Debian: libocct-data-exchange-dev,
# libocct-foundation-dev, libocct-modeling-data-dev, g++).
#
# die.igs: a 60 x 40 plate with corners of radius 5, as line (110) and
# circular arc (100) entities in scrambled order and direction, drawn with the
# solid line font (pattern 1), and a dashed centre line (pattern 2) that the
# import leaves out.
#
# Run: sh install/sample/iges/make_sample.sh
set -eu
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat > "$work/make_sample.cpp" <<'CPP'
#include <IGESControl_Controller.hxx>
#include <IGESControl_Writer.hxx>
#include <IGESData_LineFontEntity.hxx>
#include <IGESGeom_CircularArc.hxx>
#include <IGESGeom_Line.hxx>
#include <gp_XY.hxx>
#include <gp_XYZ.hxx>

static void Solid(const Handle(IGESData_IGESEntity)& e, int pattern) {
  e->InitLineFont(Handle(IGESData_LineFontEntity)(), pattern);
}

static void Line(IGESControl_Writer& w, double x1, double y1, double x2, double y2, int pattern = 1) {
  Handle(IGESGeom_Line) line = new IGESGeom_Line;
  line->Init(gp_XYZ(x1, y1, 0), gp_XYZ(x2, y2, 0));
  Solid(line, pattern);
  w.AddEntity(line);
}

// Counter-clockwise from start to end about the centre.
static void Arc(IGESControl_Writer& w, double cx, double cy, double sx, double sy, double ex, double ey) {
  Handle(IGESGeom_CircularArc) arc = new IGESGeom_CircularArc;
  arc->Init(0, gp_XY(cx, cy), gp_XY(sx, sy), gp_XY(ex, ey));
  Solid(arc, 1);
  w.AddEntity(arc);
}

int main(int argc, char** argv) {
  IGESControl_Controller::Init();
  IGESControl_Writer w("MM", 0);
  Line(w, 5, 0, 55, 0);
  Arc(w, 5, 35, 5, 40, 0, 35);
  Line(w, 60, 35, 60, 5);     // stored backwards
  Line(w, -5, 20, 65, 20, 2); // dashed centre line: not imported
  Arc(w, 55, 5, 55, 0, 60, 5);
  Line(w, 5, 40, 55, 40);     // stored backwards
  Arc(w, 5, 5, 0, 5, 5, 0);
  Line(w, 0, 35, 0, 5);
  Arc(w, 55, 35, 60, 35, 55, 40);
  w.ComputeModel();
  return w.Write(argv[1]) ? 0 : 1;
}
CPP
g++ -std=c++17 -w -I/usr/include/opencascade "$work/make_sample.cpp" -o "$work/make_sample" \
  -lTKIGES -lTKXSBase -lTKernel -lTKMath -lTKG2d -lTKG3d -lTKGeomBase -lTKBRep
"$work/make_sample" "$work/die.igs"
cp "$work/die.igs" "$here/die.igs"
