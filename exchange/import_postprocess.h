// After reading a drawing: rounding, chaining, conversion to contour rows, saving CON2TA.dat.
#pragma once

#include <string>

#include "exchange/entity_list.h"
#include "platform/progress_lines.h"
#include "shell/element_table.h"

namespace vx {

// The three option texts of an import screen, as typed.
struct ImportOptions {
  std::string smoothText;  // Txt_ISUM: smoothing runs only when its value is exactly 1
  std::string roundText;   // Txt_IMAR: rounding digits d
  std::string yxText;      // Txt_IENX: IGES arcs in YX order when its value is 1
};

// Distance within which an end point lies on a start marker, and the radius
// that makes a DXF circle or arc a marker.
constexpr double kMarkerRadius = 0.222;

// An arc that rises less than this (mm) over its chord is taken as the
// straight line of its chord: no machine resolves the difference, and a
// radius of kilometres would only carry rounding noise into the contour.
constexpr double kStraightArcHeight = 0.0001;

// Coordinates and radii of an import must lie within +-this (mm); the
// numbers of the contour file, the view and the NC blocks stay plain there.
constexpr double kCoordinateLimit = 1e7;

// Join tolerance for d rounding digits: 0.0001 for d = 0, else 10^-d.
double JoinTolerance(double digits);

// floor(v * 10^d + 0.5) / 10^d for all seven values of entities 1..N, only
// when d > 0. Halves go towards plus infinity (-0.125 with d = 2 gives -0.12).
// A value whose scaled form is beyond exact whole numbers is kept as it is.
// An arc that rounding would close on itself or turn past its end (a short
// arc becoming a full circle) becomes the straight line of its rounded ends
// instead; a full circle stays one.
void RoundEntities(EntityList& list, double digits);

// The angle (radians, 0..2 pi) an entity turns through: 0 for a line, 2 pi
// for an arc that ends where it starts (a full circle).
double ArcSweep(const Entity& entity);

// Every value finite and within kCoordinateLimit.
bool EntitiesInRange(const EntityList& list);

// Arcs lower than kStraightArcHeight over their chord become lines.
void StraightenFlatArcs(EntityList& list);

// Removes the entities that end where they start and are not full circles
// (zero length), keeping the others' order. Returns how many were removed.
int DropZeroLength(EntityList& list);

// The line telling what an import left out ("読み込まなかった図形: TEXT 12,
// HATCH 3"), or an empty text when nothing was.
std::string SkippedLine(const EntityList& list);

// Exchanges start and end and negates R: the same element travelled backwards.
void ReverseEntity(Entity& entity);

// Orders and turns entities 1..N into chains, each entity starting where the
// one before it ends (start points snapped exactly). With markers, the first
// chain starts at the first marker (or at the origin when there are none),
// and each later chain starts at the next marker while markers remain.
// Never drops or merges entities. A full circle snapped by its start keeps
// ending there; an arc whose snapped start passed its end (a short arc that
// would turn a full turn) becomes the line between its ends.
void SmoothEntities(EntityList& list, double tolerance, bool useMarkers);

// One contour-file row: X, Y, Code, P1, P2.
struct ContourRow {
  double x, y, code, p1, p2;
};

// Writes row after row n of the table (n + 1), or, when it repeats row n in
// X, Y, Code and P1 (P2 is not compared), over row n: repeated rows are
// removed as they are written, the later row kept. False, with nothing
// written, when the row would pass row 1999 (the terminator must still fit).
bool AppendContourRow(ElementTable& table, int& n, const ContourRow& row);

// Writes the rows of entities 1..N into the table from row 1 (point rows,
// arc-centre rows with Code 8, P1 = R, P2 = -2, and separators 888/88 where an
// entity does not start exactly at the previous end), without repeated rows,
// adds the terminator row (0.999, 0, 99, 0, 0) after them and sets RowCount.
// A chain of a single point row is left out, so a separator always stands
// between two chains of at least one segment each: never first, never last,
// never two in a row. Rows beyond the terminator keep their contents. Stops,
// leaving the table untouched, when the rows would not fit the table or no
// segment is left.
ExchangeResult ConvertEntitiesToRows(const EntityList& list, ElementTable& table);

// The whole post-processing of an import: rounding, smoothing (markers only
// when useMarkers), conversion and saving the table as contourPath, with the
// progress lines printed as each step starts. Before rounding, values out of
// range stop the import and flat arcs become lines; after it, zero-length
// entities are dropped. An entity list that is empty, or leaves no segment,
// stops without writing. On a stop the table and the contour file are
// unchanged.
// The same up to the table: every step but saving; the table is changed
// only when the result is ok.
ExchangeResult PostProcessIntoTable(EntityList& list, const ImportOptions& options, bool useMarkers,
                                    ElementTable& table, ProgressLines& progress);

ExchangeResult RunImportPostProcessing(EntityList& list, const ImportOptions& options, bool useMarkers,
                                       ElementTable& table, const std::string& contourPath,
                                       ProgressLines& progress);

}  // namespace vx
