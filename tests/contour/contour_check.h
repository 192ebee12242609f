// Test helpers: element files written inline, and a geometric view of the contour rows.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "contour/conv2.h"
#include "shell/element_table.h"
#include "shell/table_file.h"

namespace vx::test {

struct Vec2 {
  double x = 0, y = 0;
};
inline Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
inline double Length(Vec2 v) { return std::hypot(v.x, v.y); }
inline double Cross(Vec2 a, Vec2 b) { return a.x * b.y - a.y * b.x; }

// Distance from p to the infinite line through a and b.
inline double DistanceToLine(Vec2 p, Vec2 a, Vec2 b) { return std::fabs(Cross(b - a, p - a)) / Length(b - a); }

// One contour row as numbers.
struct Row {
  double x = 0, y = 0, code = 0, p1 = 0, p2 = 0;
  Vec2 At() const { return {x, y}; }
};
inline std::ostream& operator<<(std::ostream& out, const Row& r) {
  return out << "(" << r.x << ", " << r.y << ", " << r.code << ", " << r.p1 << ", " << r.p2 << ")";
}

// An element row of an element file.
using ElementRow = Row;

// Element file text: count = number of rows given (the last one usually the
// end row), then those rows and an empty row.
inline std::string ElementFileText(const std::vector<ElementRow>& rows) {
  ElementTable table;
  table.RowCount = static_cast<int>(rows.size());
  for (size_t k = 0; k < rows.size(); ++k) {
    const int i = static_cast<int>(k) + 1;
    table.X[i] = rows[k].x;
    table.Y[i] = rows[k].y;
    table.Code[i] = rows[k].code;
    table.P1[i] = rows[k].p1;
    table.P2[i] = rows[k].p2;
  }
  return TableFileText(table);
}

// The result of converting an element list in memory.
struct Converted {
  std::unique_ptr<ElementTable> table = std::make_unique<ElementTable>();
  RecordingMessageBox box;
  Conv2Status status = Conv2Status::kOk;

  // Rows 1..RowCount (the contour without its end row).
  std::vector<Row> Rows() const {
    std::vector<Row> rows;
    for (int i = 1; i <= table->RowCount; ++i) {
      rows.push_back({table->X[i], table->Y[i], table->Code[i], table->P1[i], table->P2[i]});
    }
    return rows;
  }
};

inline Converted Convert(const std::vector<ElementRow>& elements) {
  Converted result;
  EXPECT_EQ(LoadTableText(*result.table, ElementFileText(elements)), LoadStatus::kOk);
  result.status = ConvertElements(*result.table, result.box);
  return result;
}

// Expects the rows' X, Y and P1 to match (to 1e-6), with a readable failure.
inline void ExpectRows(const std::vector<Row>& actual, const std::vector<Row>& expected) {
  ASSERT_EQ(actual.size(), expected.size()) << "row count";
  for (size_t k = 0; k < expected.size(); ++k) {
    EXPECT_NEAR(actual[k].x, expected[k].x, 1e-6) << "row " << k + 1 << " " << actual[k];
    EXPECT_NEAR(actual[k].y, expected[k].y, 1e-6) << "row " << k + 1 << " " << actual[k];
    EXPECT_NEAR(actual[k].p1, expected[k].p1, 1e-6) << "row " << k + 1 << " " << actual[k];
  }
}

// Independent checks of a finished contour (one chain, no separators):
// every arc row lies between two point rows at its radius from the centre,
// no "(C)" item is left, and every value is finite.
inline void ExpectConsistentChain(const std::vector<Row>& rows, double tolerance) {
  ASSERT_GE(rows.size(), 2u);
  EXPECT_EQ(rows.front().p1, 0) << "the chain starts with a point";
  EXPECT_EQ(rows.back().p1, 0) << "the chain ends with a point";
  for (size_t k = 0; k < rows.size(); ++k) {
    const Row& r = rows[k];
    EXPECT_TRUE(std::isfinite(r.x) && std::isfinite(r.y) && std::isfinite(r.p1)) << "row " << k + 1;
    EXPECT_NE(r.code, 5) << "a (C) item is left at row " << k + 1;
    if (r.p1 == 0 || k == 0 || k + 1 == rows.size()) continue;
    EXPECT_EQ(rows[k - 1].p1, 0) << "arc row " << k + 1 << " must follow a point";
    EXPECT_EQ(rows[k + 1].p1, 0) << "arc row " << k + 1 << " must precede a point";
    EXPECT_NEAR(Length(rows[k - 1].At() - r.At()), std::fabs(r.p1), tolerance) << "start of arc row " << k + 1;
    EXPECT_NEAR(Length(rows[k + 1].At() - r.At()), std::fabs(r.p1), tolerance) << "end of arc row " << k + 1;
  }
}

// The arc at row `arc` (1-based) touches the segment of point rows a -> b:
// its centre is at its radius from the segment's line.
inline void ExpectArcTangentToSegment(const std::vector<Row>& rows, int arc, int a, int b, double tolerance) {
  const Row& centre = rows[arc - 1];
  EXPECT_NEAR(DistanceToLine(centre.At(), rows[a - 1].At(), rows[b - 1].At()), std::fabs(centre.p1), tolerance)
      << "arc row " << arc << " and segment " << a << "-" << b;
}

// The corner arc at row `arc` touches the circle whose centre row is `circle`
// (centre distance |R| + |r| or ||R| - |r||).
inline void ExpectArcTangentToCircle(const std::vector<Row>& rows, int arc, int circle, double tolerance) {
  const Row& c = rows[arc - 1];
  const Row& o = rows[circle - 1];
  const double d = Length(c.At() - o.At());
  const double outer = std::fabs(c.p1) + std::fabs(o.p1);
  const double inner = std::fabs(std::fabs(c.p1) - std::fabs(o.p1));
  EXPECT_LT(std::min(std::fabs(d - outer), std::fabs(d - inner)), tolerance)
      << "arc row " << arc << " and circle row " << circle << ": centre distance " << d;
}

// The segment a -> b is tangent to the circle of arc row `arc`.
inline void ExpectSegmentTangentToCircle(const std::vector<Row>& rows, int a, int b, int arc, double tolerance) {
  ExpectArcTangentToSegment(rows, arc, a, b, tolerance);
}

// Unit direction of travel arriving at point row `at` (1-based) and leaving
// it: along the segment, or along the arc whose centre row is beside it
// (counter-clockwise for a positive radius).
inline Vec2 Unit(Vec2 v) { return {v.x / Length(v), v.y / Length(v)}; }
inline Vec2 ArcDirection(const Row& centre, Vec2 p) {
  const Vec2 r = p - centre.At();
  return Unit(centre.p1 > 0 ? Vec2{-r.y, r.x} : Vec2{r.y, -r.x});
}
inline Vec2 DirectionInto(const std::vector<Row>& rows, int at) {
  const Row& before = rows[at - 2];
  return before.p1 != 0 ? ArcDirection(before, rows[at - 1].At()) : Unit(rows[at - 1].At() - before.At());
}
inline Vec2 DirectionOutOf(const std::vector<Row>& rows, int at) {
  const Row& after = rows[at];
  return after.p1 != 0 ? ArcDirection(after, rows[at - 1].At()) : Unit(after.At() - rows[at - 1].At());
}

// The path runs on without a kink or a reversal at point row `at`.
inline void ExpectSmoothAt(const std::vector<Row>& rows, int at, double tolerance) {
  const Vec2 in = DirectionInto(rows, at);
  const Vec2 out = DirectionOutOf(rows, at);
  EXPECT_NEAR(Cross(in, out), 0, tolerance) << "kink at row " << at << " " << rows[at - 1];
  EXPECT_GT(in.x * out.x + in.y * out.y, 0) << "reversal at row " << at << " " << rows[at - 1];
}


// What a contour should be, piece by piece, as the element list describes it.
// JudgeContour walks the point and arc rows along the pieces.
struct Piece {
  enum Kind {
    kVertex,   // the current point row is at p (consumes nothing)
    kLine,     // one segment on the line through p in the direction d
    kTangent,  // one segment, tangent to the arcs at whichever of its ends touch one
    kJoin,     // one segment of any direction (a fallback join)
    kArc,      // an arc of the circle with centre p and signed radius r
    kCorner,   // a corner arc of radius |r|, tangent to both neighbours
  };
  Kind kind;
  Vec2 p{};
  Vec2 d{};
  double r = 0;
  double slack = 0;        // vertex, arc start: extra distance allowed
  bool through = false;    // tangent: its line passes through p
};
inline Piece VertexAt(Vec2 p, double slack = 0) { return {Piece::kVertex, p, {}, 0, slack}; }
inline Piece LineThrough(Vec2 p, Vec2 d) { return {Piece::kLine, p, d}; }
inline Piece TangentSegment() { return {Piece::kTangent}; }
inline Piece TangentThrough(Vec2 p) { return {Piece::kTangent, p, {}, 0, 0, true}; }
inline Piece JoinSegment() { return {Piece::kJoin}; }
inline Piece ArcOf(Vec2 centre, double r, double startSlack = 0) { return {Piece::kArc, centre, {}, r, startSlack}; }
inline Piece CornerOf(double r) { return {Piece::kCorner, {}, {}, r}; }

// Tolerances of the judge. Constructed points carry the 6-place rounding of
// the degree functions times lengths up to some 100 mm.
struct JudgeTolerance {
  double position = 2e-4;   // a point on its line or circle
  double direction = 5e-4;  // sine of the kink at a tangent joint
  double chord = 0.001;     // shortest corner arc (its ends must differ in 3 decimals)
};

// Walks the point and arc rows of one chain (rows 1..N) along a drawing.
// Each check gives "" or what is wrong first ("row k: ...").
class ContourJudge {
 public:
  ContourJudge(const std::vector<Row>& rows, JudgeTolerance tol) : m_rows(rows), m_tol(tol) {}

  // Only point and arc rows with finite values, no "(C)" row left, every arc
  // between two points.
  std::string Structure() const {
    if (m_rows.empty()) return "no rows";
    if (IsArc(0)) return Fail(0, "starts with an arc");
    for (size_t k = 0; k < m_rows.size(); ++k) {
      const Row& r = m_rows[k];
      if (!std::isfinite(r.x) || !std::isfinite(r.y) || !std::isfinite(r.p1)) return Fail(k, "not a number");
      if (r.code == 5) return Fail(k, "a (C) item is left");
      if (r.p1 != 0 && (k == 0 || k + 1 == m_rows.size() || IsArc(k - 1) || IsArc(k + 1))) {
        return Fail(k, "arc not between two points");
      }
    }
    return "";
  }

  // The pieces one after the other, and no row left over.
  std::string Pieces(const std::vector<Piece>& drawing) {
    m_pos = 0;
    for (const Piece& piece : drawing) {
      std::string e;
      switch (piece.kind) {
        case Piece::kVertex:
          if (Length(m_rows[m_pos].At() - piece.p) > m_tol.position + piece.slack) e = Fail(m_pos, "not at the point");
          break;
        case Piece::kLine:
        case Piece::kTangent:
        case Piece::kJoin:
          e = Segment(piece);
          break;
        case Piece::kArc:
        case Piece::kCorner:
          e = Arc(piece);
          break;
      }
      if (!e.empty()) return e;
    }
    return m_pos + 1 == m_rows.size() ? "" : Fail(m_pos + 1, "rows beyond the drawing");
  }

  // No point where the path turns straight back on itself.
  std::string NoTurnBack() const {
    for (size_t k = 1; k + 1 < m_rows.size(); ++k) {
      if (IsArc(k - 1) || IsArc(k) || IsArc(k + 1)) continue;
      const Vec2 in = m_rows[k].At() - m_rows[k - 1].At();
      const Vec2 out = m_rows[k + 1].At() - m_rows[k].At();
      if (Length(in) > m_tol.position && Length(out) > m_tol.position &&
          (in.x * out.x + in.y * out.y) / (Length(in) * Length(out)) < -0.9999) {
        return Fail(k, "the path turns back");
      }
    }
    return "";
  }

 private:
  static std::string Fail(size_t row, const std::string& what) { return "row " + std::to_string(row + 1) + ": " + what; }
  bool IsArc(size_t k) const { return k < m_rows.size() && m_rows[k].p1 != 0; }

  // The path runs on without a kink or a reversal at point row k.
  std::string SmoothAt(size_t k) const {
    if (k == 0 || k + 1 >= m_rows.size()) return Fail(k, "no neighbour for a tangent joint");
    const Vec2 in = DirectionInto(m_rows, static_cast<int>(k + 1));
    const Vec2 out = DirectionOutOf(m_rows, static_cast<int>(k + 1));
    if (std::fabs(Cross(in, out)) > m_tol.direction || in.x * out.x + in.y * out.y <= 0) return Fail(k, "kink");
    return "";
  }

  bool OnArc(size_t k, const Row& centre, double slack) const {
    return std::fabs(Length(m_rows[k].At() - centre.At()) - std::fabs(centre.p1)) <= m_tol.position + slack;
  }

  std::string Segment(const Piece& piece) {
    if (m_pos + 1 >= m_rows.size() || IsArc(m_pos + 1)) return Fail(m_pos, "a segment is missing");
    const Vec2 a = m_rows[m_pos].At(), b = m_rows[m_pos + 1].At();
    if (piece.kind == Piece::kLine) {
      const Vec2 along{piece.p.x + piece.d.x, piece.p.y + piece.d.y};
      if (DistanceToLine(a, piece.p, along) > m_tol.position || DistanceToLine(b, piece.p, along) > m_tol.position) {
        return Fail(m_pos, "segment off its line");
      }
      if ((b.x - a.x) * piece.d.x + (b.y - a.y) * piece.d.y <= 0) return Fail(m_pos, "segment runs backwards");
    }
    if (piece.kind == Piece::kTangent) {
      if (Length(b - a) <= m_tol.position) return Fail(m_pos, "tangent of no length");
      if (piece.through && DistanceToLine(piece.p, a, b) > m_tol.position) return Fail(m_pos, "tangent misses its point");
      if (m_pos > 0 && IsArc(m_pos - 1)) {
        if (std::string e = SmoothAt(m_pos); !e.empty()) return e;
      }
      if (IsArc(m_pos + 2)) {
        if (std::string e = SmoothAt(m_pos + 1); !e.empty()) return e;
      }
    }
    m_pos += 1;
    return "";
  }

  std::string Arc(const Piece& piece) {
    if (!IsArc(m_pos + 1)) return Fail(m_pos + 1, "an arc is missing");
    const Row& c = m_rows[m_pos + 1];
    if (piece.kind == Piece::kArc) {
      if (Length(c.At() - piece.p) > m_tol.position || std::fabs(c.p1 - piece.r) > 1e-9) {
        return Fail(m_pos + 1, "not the circle of the list");
      }
    } else {
      if (std::fabs(std::fabs(c.p1) - std::fabs(piece.r)) > 1e-9) return Fail(m_pos + 1, "corner of another radius");
      if (Length(m_rows[m_pos + 2].At() - m_rows[m_pos].At()) < m_tol.chord) {
        return Fail(m_pos + 1, "corner of no length");
      }
    }
    if (!OnArc(m_pos, c, piece.slack)) return Fail(m_pos, "arc starts off its circle");
    if (!OnArc(m_pos + 2, c, 0)) return Fail(m_pos + 2, "arc ends off its circle");
    if (piece.kind == Piece::kCorner) {
      if (std::string e = SmoothAt(m_pos); !e.empty()) return e;
      if (std::string e = SmoothAt(m_pos + 2); !e.empty()) return e;
    }
    m_pos += 2;
    return "";
  }

  const std::vector<Row>& m_rows;
  JudgeTolerance m_tol;
  size_t m_pos = 0;
};

// "" when the rows (one chain, rows 1..N) are the drawing: its structure, its
// pieces and no turning back; else what is wrong first.
inline std::string JudgeContour(const std::vector<Row>& rows, const std::vector<Piece>& drawing,
                                JudgeTolerance tol = {}) {
  ContourJudge judge(rows, tol);
  if (std::string e = judge.Structure(); !e.empty()) return e;
  if (std::string e = judge.Pieces(drawing); !e.empty()) return e;
  return judge.NoTurnBack();
}

}  // namespace vx::test
