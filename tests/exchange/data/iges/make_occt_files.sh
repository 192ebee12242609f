#!/bin/sh
# Writes the corpus files made with the IGES writer of Open CASCADE (Debian:
# libocct-data-exchange-dev, libocct-foundation-dev, libocct-modeling-data-dev,
# libocct-modeling-algorithms-dev, g++), for what the real files do not cover:
#
# occt_plate_inch.igs  a plate outline as one wire (composite curve of lines
#                      and corner arcs) with a round hole, an elliptic slot and
#                      a B-spline cam edge, in inches;
# occt_placed.igs      circles, arcs and an ellipse in planes parallel to XY at
#                      z = 12, placed by transformation matrices, one of them
#                      seen from below (its arcs run clockwise);
# occt_tilted.igs      a circle in a plane tilted by 30 degrees (refused);
# occt_face.igs        a flat plate written as a trimmed surface (refused);
# occt_brep_wire.igs   the plate outline, a circle and an arc written as
#                      B-splines, in the writer's B-rep mode (the curves of
#                      a group).
#
# Run: sh tests/exchange/data/iges/make_occt_files.sh
set -eu
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat > "$work/make.cpp" <<'CPP'
#include <BRepBuilderAPI_MakeEdge.hxx>
#include <BRepBuilderAPI_MakeFace.hxx>
#include <BRepBuilderAPI_MakeWire.hxx>
#include <BRep_Builder.hxx>
#include <GC_MakeArcOfCircle.hxx>
#include <GC_MakeArcOfEllipse.hxx>
#include <GC_MakeSegment.hxx>
#include <Geom_BSplineCurve.hxx>
#include <Geom_Circle.hxx>
#include <Geom_Ellipse.hxx>
#include <Geom_TrimmedCurve.hxx>
#include <GeomConvert.hxx>
#include <IGESControl_Controller.hxx>
#include <IGESControl_Writer.hxx>
#include <TColStd_Array1OfInteger.hxx>
#include <TColStd_Array1OfReal.hxx>
#include <TColgp_Array1OfPnt.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Compound.hxx>
#include <TopoDS_Wire.hxx>
#include <gp_Ax2.hxx>
#include <gp_Circ.hxx>
#include <gp_Elips.hxx>
#include <string>

static TopoDS_Edge Segment(double x1, double y1, double x2, double y2, double z = 0) {
  return BRepBuilderAPI_MakeEdge(GC_MakeSegment(gp_Pnt(x1, y1, z), gp_Pnt(x2, y2, z)).Value());
}

// A quarter arc about (cx, cy) from angle a (degrees) counter-clockwise.
static TopoDS_Edge Corner(double cx, double cy, double r, double a) {
  const double t = a * M_PI / 180;
  gp_Circ c(gp_Ax2(gp_Pnt(cx, cy, 0), gp::DZ()), r);
  return BRepBuilderAPI_MakeEdge(GC_MakeArcOfCircle(c, t, t + M_PI / 2, true).Value());
}

static bool Write(const TopoDS_Shape& shape, const char* unit, int mode, const std::string& path) {
  IGESControl_Writer w(unit, mode);
  w.AddShape(shape);
  w.ComputeModel();
  return w.Write(path.c_str());
}

// A plate of 101.6 x 63.5 mm (4 x 2.5 inches) with corners of radius 6.35.
static TopoDS_Wire Plate() {
  const double w = 101.6, h = 63.5, r = 6.35;
  BRepBuilderAPI_MakeWire m;
  m.Add(Segment(r, 0, w - r, 0));
  m.Add(Corner(w - r, r, r, 270));
  m.Add(Segment(w, r, w, h - r));
  m.Add(Corner(w - r, h - r, r, 0));
  m.Add(Segment(w - r, h, r, h));
  m.Add(Corner(r, h - r, r, 90));
  m.Add(Segment(0, h - r, 0, r));
  m.Add(Corner(r, r, r, 180));
  return m.Wire();
}

static TopoDS_Edge Cam() {
  TColgp_Array1OfPnt poles(1, 5);
  poles(1) = gp_Pnt(20, 20, 0);
  poles(2) = gp_Pnt(30, 35, 0);
  poles(3) = gp_Pnt(45, 15, 0);
  poles(4) = gp_Pnt(60, 40, 0);
  poles(5) = gp_Pnt(75, 25, 0);
  TColStd_Array1OfReal knots(1, 3);
  knots(1) = 0;
  knots(2) = 0.5;
  knots(3) = 1;
  TColStd_Array1OfInteger mults(1, 3);
  mults(1) = 4;
  mults(2) = 1;
  mults(3) = 4;
  return BRepBuilderAPI_MakeEdge(new Geom_BSplineCurve(poles, knots, mults, 3));
}

int main(int argc, char** argv) {
  IGESControl_Controller::Init();
  const std::string dir = argv[1];
  BRep_Builder b;

  TopoDS_Compound plate;
  b.MakeCompound(plate);
  b.Add(plate, Plate());
  b.Add(plate, BRepBuilderAPI_MakeEdge(gp_Circ(gp_Ax2(gp_Pnt(80, 45, 0), gp::DZ()), 6)));
  b.Add(plate, BRepBuilderAPI_MakeEdge(gp_Elips(gp_Ax2(gp_Pnt(30, 45, 0), gp::DZ(), gp::DX()), 12, 5)));
  b.Add(plate, Cam());
  bool ok = Write(plate, "IN", 0, dir + "/occt_plate_inch.igs");

  // Frames at z = 12: turned by 30 degrees about Z, and one seen from below.
  const gp_Dir turned(std::cos(M_PI / 6), std::sin(M_PI / 6), 0);
  TopoDS_Compound placed;
  b.MakeCompound(placed);
  b.Add(placed, BRepBuilderAPI_MakeEdge(gp_Circ(gp_Ax2(gp_Pnt(10, 10, 12), gp::DZ(), turned), 4)));
  gp_Circ below(gp_Ax2(gp_Pnt(30, 10, 12), -gp::DZ(), gp::DX()), 5);
  b.Add(placed, BRepBuilderAPI_MakeEdge(GC_MakeArcOfCircle(below, 0, M_PI / 2, true).Value()));
  gp_Elips tilted(gp_Ax2(gp_Pnt(50, 10, 12), gp::DZ(), turned), 8, 3);
  b.Add(placed, BRepBuilderAPI_MakeEdge(GC_MakeArcOfEllipse(tilted, 0, M_PI, true).Value()));
  b.Add(placed, Segment(0, 30, 60, 30, 12));
  ok = ok && Write(placed, "MM", 0, dir + "/occt_placed.igs");

  const gp_Dir slanted(0, -std::sin(M_PI / 6), std::cos(M_PI / 6));
  ok = ok && Write(BRepBuilderAPI_MakeEdge(gp_Circ(gp_Ax2(gp_Pnt(0, 0, 0), slanted), 10)), "MM", 0,
                   dir + "/occt_tilted.igs");
  ok = ok && Write(BRepBuilderAPI_MakeFace(Plate(), true), "MM", 0, dir + "/occt_face.igs");

  TopoDS_Compound brep;
  b.MakeCompound(brep);
  b.Add(brep, Plate());
  Handle(Geom_Circle) hole = new Geom_Circle(gp_Ax2(gp_Pnt(80, 45, 0), gp::DZ()), 6);
  b.Add(brep, BRepBuilderAPI_MakeEdge(GeomConvert::CurveToBSplineCurve(hole)));
  Handle(Geom_TrimmedCurve) arc = new Geom_TrimmedCurve(new Geom_Circle(gp_Ax2(gp_Pnt(30, 30, 0), gp::DZ()), 10), 0.3, 2.5);
  b.Add(brep, BRepBuilderAPI_MakeEdge(GeomConvert::CurveToBSplineCurve(arc)));
  ok = ok && Write(brep, "MM", 1, dir + "/occt_brep_wire.igs");
  return ok ? 0 : 1;
}
CPP
g++ -std=c++17 -w -I/usr/include/opencascade "$work/make.cpp" -o "$work/make" \
  -lTKIGES -lTKXSBase -lTKernel -lTKMath -lTKG2d -lTKG3d -lTKGeomBase -lTKBRep -lTKTopAlgo -lTKGeomAlgo
"$work/make" "$work"
for f in occt_plate_inch occt_placed occt_tilted occt_face occt_brep_wire; do cp "$work/$f.igs" "$here/$f.igs"; done
