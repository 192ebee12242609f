// An independent reading of IGES files for the reader's corpus tests: Open
// CASCADE's IGES reader transfers the file, and every edge of the result is
// written as the curve the drawing should hold (lines and circular arcs
// exactly, other curves as points along them), in millimetres.
//
// Usage: iges_oracle [--summary] FILE...
// Output, one file after another:
//   file NAME
//   L x1 y1 x2 y2          (a line)
//   A cx cy r x1 y1 x2 y2  (a circular arc, counter-clockwise seen from above
//                           from (x1, y1) to (x2, y2); a full circle has equal ends)
//   K length               (any other curve, followed by its points:)
//   P x y
//   curves NL NA NK        (the count of lines, circular arcs, other curves)
//   z ZMIN ZMAX            (height range of every point along them)
// The curve lines (L, A, K, P) are left out with --summary.
// A file the reader cannot take gives "file NAME" and "fail read".
#include <BRepAdaptor_Curve.hxx>
#include <BRep_Tool.hxx>
#include <GCPnts_AbscissaPoint.hxx>
#include <IGESControl_Reader.hxx>
#include <Interface_Static.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Edge.hxx>
#include <gp_Circ.hxx>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace {

constexpr int kSamples = 24;

struct Counts {
  int lines = 0, arcs = 0, others = 0;
};

struct Range {
  double lo = std::numeric_limits<double>::infinity(), hi = -std::numeric_limits<double>::infinity();
  void Add(double z) {
    lo = std::min(lo, z);
    hi = std::max(hi, z);
  }
};

void WriteEdge(const TopoDS_Edge& edge, bool details, Counts& counts, Range& z) {
  if (BRep_Tool::Degenerated(edge)) return;
  BRepAdaptor_Curve c(edge);
  double t0 = c.FirstParameter(), t1 = c.LastParameter();
  const bool reversed = edge.Orientation() == TopAbs_REVERSED;
  gp_Pnt a = c.Value(reversed ? t1 : t0), b = c.Value(reversed ? t0 : t1);
  for (int i = 0; i <= kSamples; ++i) z.Add(c.Value(t0 + (t1 - t0) * i / kSamples).Z());
  if (c.GetType() == GeomAbs_Line) {
    ++counts.lines;
    if (details) std::printf("L %.9g %.9g %.9g %.9g\n", a.X(), a.Y(), b.X(), b.Y());
    return;
  }
  if (c.GetType() == GeomAbs_Circle) {
    ++counts.arcs;
    const gp_Circ circle = c.Circle();
    // Travelled with rising parameter the circle turns counter-clockwise about
    // its axis; seen from above that is counter-clockwise when the axis points up.
    bool ccw = circle.Axis().Direction().Z() > 0;
    if (reversed) ccw = !ccw;
    if (!ccw) std::swap(a, b);
    if (details) {
      std::printf("A %.9g %.9g %.9g %.9g %.9g %.9g %.9g\n", circle.Location().X(), circle.Location().Y(),
                  circle.Radius(), a.X(), a.Y(), b.X(), b.Y());
    }
    return;
  }
  ++counts.others;
  if (!details) return;
  std::printf("K %.9g\n", GCPnts_AbscissaPoint::Length(c));
  for (int i = 0; i <= kSamples; ++i) {
    const gp_Pnt p = c.Value(t0 + (t1 - t0) * i / kSamples);
    std::printf("P %.9g %.9g\n", p.X(), p.Y());
  }
}

}  // namespace

int main(int argc, char** argv) {
  Interface_Static::SetCVal("xstep.cascade.unit", "MM");
  bool details = true;
  for (int i = 1; i < argc; ++i) {
    const std::string path = argv[i];
    if (path == "--summary") {
      details = false;
      continue;
    }
    // The reader prints its own messages on standard output; ours start on
    // a line of their own, and the file is named even when the reader crashes on it.
    std::printf("\nfile %s\n", path.substr(path.find_last_of('/') + 1).c_str());
    std::fflush(stdout);
    IGESControl_Reader reader;
    if (reader.ReadFile(path.c_str()) != IFSelect_RetDone) {
      std::printf("fail read\n");
      continue;
    }
    reader.TransferRoots();
    const TopoDS_Shape shape = reader.OneShape();
    Counts counts;
    Range z;
    for (TopExp_Explorer e(shape, TopAbs_EDGE); e.More(); e.Next()) {
      WriteEdge(TopoDS::Edge(e.Current()), details, counts, z);
    }
    std::printf("curves %d %d %d\nz %.9g %.9g\n", counts.lines, counts.arcs, counts.others, z.lo, z.hi);
  }
  return 0;
}
