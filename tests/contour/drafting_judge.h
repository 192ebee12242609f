// Judges a contour table against the outline its element list describes, by geometry alone.
#pragma once

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "contour/conv2.h"
#include "drafting_geometry.h"
#include "drafting_lists.h"

namespace vx::drafting {

// One row of the contour: X, Y, code, P1, P2.
struct ContourRow {
  double x = 0, y = 0, code = 0, p1 = 0, p2 = 0;
};

// Distances within which the contour counts as the outline. The element
// list's values are typed to 3 decimals and the outline is computed from
// them; what remains is the program's rounding of angles and cosines and the
// 0.001 corner that joins crossing circles.
constexpr double kJudgeTolerance = 0.01;
// How far an arc's end may lie off its circle (the NC program gives an arc by
// its ends and centre): the input's last decimal. The program's own
// approximations add to it where the outline says so (Piece::startSlack):
// two crossing circles meet at the first tangent point of a corner of
// radius 0.001, on the first circle and up to 0.002 off the second; a line
// typed as a tangent enters at the foot of the perpendicular, as far off
// the circle as the typed values miss it (up to 0.002).
constexpr double kArcEndTolerance = 0.001;
// Sine of the kink allowed where the outline is smooth (tangent joints).
constexpr double kKinkTolerance = 5e-4;
constexpr double kSmoothJoint = 0.002;

// The pieces of the contour rows, one list per sub-path; or a text saying
// why the rows are no contour (an arc row not between points, an item left,
// an arc whose ends are off its circle or equal, a value not finite).
inline std::string ContourPieces(const std::vector<ContourRow>& rows, std::vector<std::vector<Piece>>& paths) {
  paths.clear();
  std::vector<Piece> path;
  bool havePoint = false;
  Pt last;
  for (size_t k = 0; k < rows.size(); ++k) {
    const ContourRow& r = rows[k];
    const std::string at = " at row " + std::to_string(k + 1);
    if (!std::isfinite(r.x) || !std::isfinite(r.y) || !std::isfinite(r.p1)) return "value not finite" + at;
    if (r.code == 88) {
      paths.push_back(path);
      path.clear();
      havePoint = false;
      continue;
    }
    if (r.code == 5) return "\"(C)\" item left" + at;
    if (r.code == 99) return "end row inside the contour" + at;
    const Pt p{r.x, r.y};
    if (r.p1 == 0) {
      if (havePoint) path.push_back({false, last, p, {}, 0, 0});
      last = p;
      havePoint = true;
      continue;
    }
    if (!havePoint || k + 1 >= rows.size() || rows[k + 1].p1 != 0 || rows[k + 1].code == 88) {
      return "arc centre not between two points" + at;
    }
    const Pt next{rows[k + 1].x, rows[k + 1].y};
    // An NC arc whose ends coincide is a full circle.
    if (Len(next - last) < 1e-4) return "arc with equal ends" + at;
    path.push_back({true, last, next, p, r.p1, 0});
    last = next;
    ++k;
  }
  paths.push_back(path);
  return "";
}

// The same outline in fewest pieces: lines of no length dropped, lines that
// continue each other and arcs of one circle joined.
inline std::vector<Piece> Simplified(const std::vector<Piece>& pieces) {
  std::vector<Piece> out;
  for (const Piece& p : pieces) {
    if (!p.arc && Len(p.b - p.a) < 0.002) {
      if (!out.empty()) out.back().b = p.b;
      continue;
    }
    if (!out.empty()) {
      Piece& q = out.back();
      const bool sameLine = !p.arc && !q.arc && std::fabs(Cross(Unit(q.b - q.a), Unit(p.b - p.a))) < 1e-3 &&
                            Dot(q.b - q.a, p.b - p.a) > 0;
      const bool sameArc = p.arc && q.arc && Len(p.c - q.c) < kJudgeTolerance && std::fabs(p.r - q.r) < kJudgeTolerance;
      if (sameLine || sameArc) {
        q.b = p.b;
        continue;
      }
    }
    out.push_back(p);
  }
  return out;
}

// "" when the contour is the outline, piece for piece; else what differs.
inline std::string CompareOutline(const std::vector<std::vector<Piece>>& got,
                                  const std::vector<std::vector<Piece>>& want) {
  std::ostringstream why;
  why.precision(10);
  if (got.size() != want.size()) {
    why << got.size() << " sub-paths, not " << want.size();
    return why.str();
  }
  for (size_t n = 0; n < want.size(); ++n) {
    const std::vector<Piece> g = Simplified(got[n]);
    const std::vector<Piece> w = Simplified(want[n]);
    for (size_t k = 0; k < std::max(g.size(), w.size()); ++k) {
      const std::string where = "path " + std::to_string(n + 1) + " piece " + std::to_string(k + 1) + ": ";
      if (k >= g.size()) {
        why << where << "missing, want " << w[k];
        return why.str();
      }
      if (k >= w.size()) {
        why << where << "extra " << g[k];
        return why.str();
      }
      const Piece& a = g[k];
      const Piece& b = w[k];
      const bool same = a.arc == b.arc && Len(a.a - b.a) <= kJudgeTolerance && Len(a.b - b.b) <= kJudgeTolerance &&
                        (!a.arc || (Len(a.c - b.c) <= kJudgeTolerance && std::fabs(a.r - b.r) <= kJudgeTolerance));
      if (!same) {
        why << where << "got " << a << ", want " << b;
        return why.str();
      }
    }
  }
  return "";
}

// Every arc of the contour ends on its circle (kArcEndTolerance, and at its
// start the slack its piece of the outline allows). Pieces are matched one
// for one, so run CompareOutline first.
inline std::string ArcsEndOnTheirCircles(const std::vector<std::vector<Piece>>& got,
                                         const std::vector<std::vector<Piece>>& want) {
  for (size_t n = 0; n < want.size() && n < got.size(); ++n) {
    const std::vector<Piece> g = Simplified(got[n]);
    const std::vector<Piece> w = Simplified(want[n]);
    for (size_t k = 0; k < w.size() && k < g.size(); ++k) {
      if (!g[k].arc) continue;
      const double r = std::fabs(g[k].r);
      const double offStart = std::fabs(Len(g[k].a - g[k].c) - r), offEnd = std::fabs(Len(g[k].b - g[k].c) - r);
      if (offStart > kArcEndTolerance + w[k].startSlack || offEnd > kArcEndTolerance) {
        std::ostringstream why;
        why << "path " << n + 1 << " piece " << k + 1 << ": arc ends off its circle by " << std::max(offStart, offEnd)
            << ": " << g[k];
        return why.str();
      }
    }
  }
  return "";
}

// Where the outline goes on smoothly (a tangent joint), the contour does too:
// at each joint whose turn in the outline is below kSmoothJoint degrees (the
// outline's tangents are exact but for a typed angle's last decimal) the
// contour's turns by a sine of kKinkTolerance at most. Pieces are matched
// one for one, so run CompareOutline first.
inline std::string SmoothWhereTangent(const std::vector<std::vector<Piece>>& got,
                                      const std::vector<std::vector<Piece>>& want) {
  for (size_t n = 0; n < want.size() && n < got.size(); ++n) {
    const std::vector<Piece> g = Simplified(got[n]);
    const std::vector<Piece> w = Simplified(want[n]);
    for (size_t k = 0; k + 1 < w.size() && k + 1 < g.size(); ++k) {
      if (std::fabs(TurnAngle(EndHeading(w[k]), StartHeading(w[k + 1]))) > kSmoothJoint) continue;
      const double kink = Cross(EndHeading(g[k]), StartHeading(g[k + 1]));
      if (std::fabs(kink) > kKinkTolerance) {
        std::ostringstream why;
        why << "path " << n + 1 << " kinks by " << kink << " after " << g[k];
        return why.str();
      }
    }
  }
  return "";
}

// No piece runs back along the one before: at every joint the direction of
// travel turns by less than 175 degrees.
inline std::string NoBacktracking(const std::vector<std::vector<Piece>>& paths) {
  for (size_t n = 0; n < paths.size(); ++n) {
    const std::vector<Piece> p = Simplified(paths[n]);
    for (size_t k = 0; k + 1 < p.size(); ++k) {
      if (std::fabs(TurnAngle(EndHeading(p[k]), StartHeading(p[k + 1]))) > 175) {
        std::ostringstream why;
        why << "path " << n + 1 << " runs back after " << p[k];
        return why.str();
      }
    }
  }
  return "";
}

// "" when every row of the contour of a list that cannot be drawn as typed
// lies on what the list describes: each point on one of its lines or
// circles (kJudgeTolerance), each arc ending on its circle, and no piece
// running back.
inline std::string OnTheCarriers(const std::vector<std::vector<Piece>>& paths, const std::vector<Line>& lines,
                                 const std::vector<std::pair<Pt, double>>& circles) {
  const auto onCarrier = [&](Pt p) {
    for (const Line& l : lines) {
      if (std::fabs(Cross(l.d, p - l.p)) <= kJudgeTolerance) return true;
    }
    for (const auto& [c, r] : circles) {
      if (std::fabs(Len(p - c) - r) <= kJudgeTolerance) return true;
    }
    return false;
  };
  for (size_t n = 0; n < paths.size(); ++n) {
    for (const Piece& piece : paths[n]) {
      std::ostringstream why;
      why << "path " << n + 1 << ": ";
      if (piece.arc && std::max(std::fabs(Len(piece.a - piece.c) - std::fabs(piece.r)),
                                std::fabs(Len(piece.b - piece.c) - std::fabs(piece.r))) > kArcEndTolerance) {
        why << "arc ends off its circle: " << piece;
        return why.str();
      }
      for (const Pt& p : {piece.a, piece.b}) {
        if (!onCarrier(p)) {
          why << "point " << p << " on nothing the list describes";
          return why.str();
        }
      }
    }
  }
  return NoBacktracking(paths);
}

// An element list converted in memory: the contour rows 1..N and the messages.
struct Converted {
  Conv2Status status = Conv2Status::kOk;
  std::vector<ContourRow> rows;
  std::vector<std::string> messages;
};
inline Converted ConvertList(const std::vector<Element>& list) {
  auto table = std::make_unique<ElementTable>();
  table->RowCount = static_cast<int>(list.size());
  for (size_t k = 0; k < list.size(); ++k) {
    const int i = static_cast<int>(k) + 1;
    table->X[i] = list[k].x;
    table->Y[i] = list[k].y;
    table->Code[i] = list[k].code;
    table->P1[i] = list[k].p1;
    table->P2[i] = list[k].p2;
  }
  RecordingMessageBox box;
  Converted out;
  out.status = ConvertElements(*table, box);
  out.messages = box.messages;
  for (int i = 1; i <= table->RowCount; ++i) {
    out.rows.push_back({table->X[i], table->Y[i], table->Code[i], table->P1[i], table->P2[i]});
  }
  return out;
}

inline std::string MessagesText(const std::vector<std::string>& messages) {
  std::string text;
  for (const std::string& m : messages) text += "[" + m + "]";
  return text.empty() ? "none" : text;
}

// "" when the list converts to the outline it describes, with exactly the
// given messages; else what is wrong first.
inline std::string JudgeDrawing(const std::vector<Element>& list, const std::vector<std::vector<Piece>>& outline,
                                const std::vector<std::string>& messages) {
  const Converted got = ConvertList(list);
  if (got.status != Conv2Status::kOk) return "status " + std::to_string(static_cast<int>(got.status));
  if (got.messages != messages) return "messages " + MessagesText(got.messages);
  std::vector<std::vector<Piece>> paths;
  for (const auto& check : {ContourPieces(got.rows, paths), NoBacktracking(paths), CompareOutline(paths, outline),
                            ArcsEndOnTheirCircles(paths, outline), SmoothWhereTangent(paths, outline)}) {
    if (!check.empty()) return check;
  }
  return "";
}

// "" when a list that cannot be drawn as typed gives exactly its messages
// and rows on what it describes; else what is wrong first.
inline std::string JudgeImpossible(const ImpossibleCase& c) {
  const Converted got = ConvertList(c.rows);
  if (got.status != Conv2Status::kOk) return "status " + std::to_string(static_cast<int>(got.status));
  if (got.messages != c.messages) return "messages " + MessagesText(got.messages);
  std::vector<std::vector<Piece>> paths;
  const std::string structure = ContourPieces(got.rows, paths);
  return structure.empty() ? OnTheCarriers(paths, c.lines, c.circles) : structure;
}

// An element list as text, for failure reports.
inline std::string ListText(const std::vector<Element>& list) {
  std::ostringstream out;
  out.precision(12);
  for (const Element& e : list) out << "{" << e.x << ", " << e.y << ", " << e.code << ", " << e.p1 << ", " << e.p2 << "} ";
  return out.str();
}

}  // namespace vx::drafting
