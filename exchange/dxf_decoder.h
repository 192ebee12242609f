// A DXF text decoded into plain structs: model-space entities and block definitions.
#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vx {

struct DxfPoint {
  double x = 0, y = 0, z = 0;
};

// LINE: from start to end (Z ignored by the mapping).
struct DxfLine {
  DxfPoint start, end;
};

// ARC and CIRCLE in their object coordinate system: centre, radius, and for
// an arc the angles (degrees, counter-clockwise from start to end).
struct DxfArc {
  DxfPoint centre;
  double radius = 0;
  double startAngle = 0, endAngle = 0;
  bool circle = false;
};

struct DxfVertex {
  double x = 0, y = 0;
  double bulge = 0;  // tan(included angle / 4) of the side to the next vertex; > 0 counter-clockwise
};

// LWPOLYLINE and POLYLINE with its VERTEX entities, in object coordinates.
struct DxfPolyline {
  enum class Kind { kPlane, k3d, kMesh, kPolyface };
  Kind kind = Kind::kPlane;
  std::vector<DxfVertex> vertices;  // spline frame control points already left out
  bool closed = false;
  double elevation = 0;
};

// ELLIPSE in world coordinates: centre, end of the major axis relative to the
// centre, minor/major ratio, start and end parameters (radians).
struct DxfEllipse {
  DxfPoint centre, majorAxis;
  double ratio = 1;
  double startParam = 0, endParam = 0;
};

// SPLINE in world coordinates.
struct DxfSpline {
  long flags = 0;  // 1 closed, 2 periodic, 4 rational, 8 planar, 16 linear
  long degree = 3;
  std::vector<double> knots, weights;
  std::vector<DxfPoint> control, fit;
  // Start and end tangents of a spline given by fit points (groups 12/22, 13/23).
  DxfPoint startTangent, endTangent;
  bool hasStartTangent = false, hasEndTangent = false;
};

// INSERT and MINSERT: the block placed at insert, scaled, rotated (degrees)
// and repeated in columns and rows.
struct DxfInsert {
  std::string block;
  DxfPoint insert;
  double xScale = 1, yScale = 1;
  double rotation = 0;
  long columns = 1, rows = 1;
  double columnSpacing = 0, rowSpacing = 0;
  int attributes = 0;  // ATTRIB entities attached (texts, not read)
};

// An entity the mapping does not turn into geometry: only its type is counted.
struct DxfOther {};

struct DxfEntity {
  std::string type;    // "LINE", "TEXT", ...
  std::string handle;  // group 5
  size_t line = 0;     // line of its "0" group in the file, for messages
  bool invisible = false;  // group 60 = 1: drawn by no CAD system
  DxfPoint extrusion{0, 0, 1};
  std::variant<DxfOther, DxfLine, DxfArc, DxfPolyline, DxfEllipse, DxfSpline, DxfInsert> data;
};

struct DxfBlock {
  std::string name;
  DxfPoint base;
  long flags = 0;  // 4: an external reference (xref), 32: resolved xref
  std::vector<DxfEntity> entities;
};

struct DxfDrawing {
  std::vector<DxfEntity> entities;            // model space, in file order
  std::map<std::string, DxfBlock> blocks;     // by upper-case name
  bool hasEntitiesSection = false;
  int paperSpaceEntities = 0;                 // entities of paper space (group 67 = 1), not read
  // Handles of the frames an MTEXT draws around its text: stored as
  // LWPOLYLINE entities of their own, but part of the text.
  std::set<std::string> textFrames;
};

struct DxfDecodeResult {
  bool ok = true;
  std::string message;
};

// Decodes the text. Stops on a binary DXF or DWG file, a text that is not
// DXF, a code line that is not a group code, a number beyond the range of
// its group, and a text that ends before its ENTITIES section does
// (truncated). What follows a complete ENTITIES section is read only for
// blocks; a fault there ends reading quietly. fileName names the file in
// messages.
DxfDecodeResult DecodeDxf(std::string_view text, DxfDrawing& drawing, const std::string& fileName);

// Upper-case form of a name (block names compare without case).
std::string DxfUpper(std::string_view name);

}  // namespace vx
