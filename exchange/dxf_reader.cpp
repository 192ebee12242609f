// The DXF reader: two reading passes over the file's lines and one reader per entity type.
#include "exchange/dxf_reader.h"

#include <cmath>
#include <vector>

#include "exchange/exchange_messages.h"
#include "exchange/import_postprocess.h"
#include "shell/degree.h"
#include "shell/number_text.h"

namespace vx {
namespace {

// The lines of the file as the reader takes them, one after the other.
class LineSource {
 public:
  explicit LineSource(std::vector<std::string> lines) : m_lines(std::move(lines)) {}
  bool AtEnd() const { return m_next >= m_lines.size(); }
  // The next line; false at the end of the file (a truncated entity).
  bool Take(std::string& line) {
    if (AtEnd()) return false;
    line = m_lines[m_next++];
    return true;
  }

 private:
  std::vector<std::string> m_lines;
  size_t m_next = 0;
};

// Physical lines: each ends at CR LF or at CR; LF alone is part of a line.
std::vector<std::string> PhysicalLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i++];
    if (c == '\r') {
      if (i < text.size() && text[i] == '\n') ++i;
      lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// The second pass: every physical line is cut at each LF; text after its last
// LF is not used.
std::vector<std::string> LfPieces(const std::vector<std::string>& physical) {
  std::vector<std::string> pieces;
  for (const std::string& line : physical) {
    size_t start = 0;
    for (size_t lf = line.find('\n'); lf != std::string::npos; lf = line.find('\n', start)) {
      pieces.push_back(line.substr(start, lf - start));
      start = lf + 1;
    }
  }
  return pieces;
}

enum class Outcome { kOk, kTruncated, kTooManyEntities, kTooManyMarkers };

struct Vertex {
  double x = 0, y = 0, bulge = 0;
};

class DxfPass {
 public:
  DxfPass(LineSource& source, EntityList& list) : m_source(source), m_list(list) {}

  // The main loop; sawEntities tells whether a line "ENTITIES" was met.
  Outcome Run(bool& sawEntities) {
    sawEntities = false;
    std::string line;
    while (m_source.Take(line)) {
      if (line == "ENTITIES") sawEntities = true;
      if (!sawEntities) continue;
      if (line == "ENDSEC") break;
      Outcome outcome = Outcome::kOk;
      if (line == "LINE") {
        outcome = ReadLine(line);
      } else if (line == "LWPOLYLINE") {
        outcome = ReadPolyline(line);
      } else if (line == "ARC" || line == "CIRCLE") {
        outcome = ReadArc(line);
      }
      if (outcome != Outcome::kOk) return outcome;
    }
    return Outcome::kOk;
  }

 private:
  // A value line after a recognised group code.
  bool TakeValue(double& value) {
    std::string text;
    if (!m_source.Take(text)) return false;
    value = NumericValue(text);
    return true;
  }

  // A new entry at the end of the list, all seven values 0.
  Entity* NewEntity() {
    if (m_list.count >= EntityList::kMaxEntities) return nullptr;
    ++m_list.count;
    m_list.entity[m_list.count] = Entity{};
    return &m_list.entity[m_list.count];
  }

  Outcome ReadLine(std::string& line) {
    Entity* e = NewEntity();
    if (e == nullptr) return Outcome::kTooManyEntities;
    while (line != "  0") {
      double* target = line == " 10" ? &e->X1 : line == " 20" ? &e->Y1 : line == " 11" ? &e->X2
                       : line == " 21" ? &e->Y2 : nullptr;
      if (target != nullptr && !TakeValue(*target)) return Outcome::kTruncated;
      if (!m_source.Take(line)) return Outcome::kTruncated;
    }
    return Outcome::kOk;
  }

  // Vertices with their bulges (group 42 after the vertex's 20), the
  // closed flag (group 70, bit 1) and the extrusion direction (group 230).
  Outcome ReadPolyline(std::string& line) {
    std::vector<Vertex> vertices;
    double flags = 0;
    double extrusionZ = 1;
    while (line != "  0") {
      double value = 0;
      if (line == " 10" || line == " 20" || line == " 42" || line == " 70" || line == "230") {
        if (!TakeValue(value)) return Outcome::kTruncated;
        if (line == " 10") {
          vertices.push_back(Vertex{value, 0, 0});
        } else if (line == " 20" && !vertices.empty()) {
          vertices.back().y = value;
        } else if (line == " 42" && !vertices.empty()) {
          vertices.back().bulge = value;
        } else if (line == " 70") {
          flags = value;
        } else if (line == "230") {
          extrusionZ = value;
        }
      }
      if (!m_source.Take(line)) return Outcome::kTruncated;
    }
    // Drawn with the extrusion direction (0, 0, -1) (a mirrored polyline):
    // seen from above, x is mirrored and every bulge turns the other way.
    if (extrusionZ < 0) {
      for (Vertex& v : vertices) {
        v.x = -v.x + 0.0;
        v.bulge = -v.bulge + 0.0;
      }
    }
    const size_t n = vertices.size();
    // Four vertices always close back to the first, as drawings made for this
    // reader rely on; other counts close when the flag says so.
    const bool closed = n == 4 || (static_cast<long>(flags) & 1) != 0;
    const size_t sides = n < 2 ? 0 : (closed ? n : n - 1);
    for (size_t i = 0; i < sides; ++i) {
      Entity* e = NewEntity();
      if (e == nullptr) return Outcome::kTooManyEntities;
      *e = PolylineSide(vertices[i], vertices[(i + 1) % n]);
    }
    return Outcome::kOk;
  }

  // A side from a to b: straight, or with a's bulge b = tan(angle / 4) an arc
  // (positive bulge: counter-clockwise). The centre lies on the chord's left
  // normal at (chord / 2) * (1 - b^2) / (2b) from its midpoint, and the
  // radius is chord * (1 + b^2) / (4 |b|).
  static Entity PolylineSide(const Vertex& a, const Vertex& b) {
    Entity e;
    e.X1 = a.x;
    e.Y1 = a.y;
    e.X2 = b.x;
    e.Y2 = b.y;
    const double chord = std::hypot(b.x - a.x, b.y - a.y);
    if (a.bulge == 0 || chord == 0) return e;
    const double k = a.bulge;
    const double nx = -(b.y - a.y) / chord;
    const double ny = (b.x - a.x) / chord;
    const double h = chord / 2 * (1 - k * k) / (2 * k);
    e.CX = (a.x + b.x) / 2 + nx * h;
    e.CY = (a.y + b.y) / 2 + ny * h;
    const double radius = chord * (1 + k * k) / (4 * std::fabs(k));
    e.R = k > 0 ? radius : -radius;
    return e;
  }

  // The end point of an arc at angle a (degrees): 90 and -90 exactly, other
  // angles through the rounded degree functions.
  static void ArcPoint(double cx, double cy, double radius, double a, double& x, double& y) {
    // Deliberately exact: a quarter angle typed in the drawing needs no sine.
    if (a == 90) {
      x = cx;
      y = cy + radius;
    } else if (a == -90) {
      x = cx;
      y = cy - radius;
    } else {
      x = cx + CosDeg(a) * radius;
      y = cy + SinDeg(a) * radius;
    }
  }

  Outcome ReadArc(std::string& line) {
    const bool circle = line == "CIRCLE";
    Entity* e = NewEntity();
    if (e == nullptr) {
      // The entry past the last may still be a marker; read it as scratch.
      e = &m_list.entity[EntityList::kMaxEntities + 1];
      *e = Entity{};
      return FinishArc(line, *e, circle, true);
    }
    return FinishArc(line, *e, circle, false);
  }

  Outcome FinishArc(std::string& line, Entity& e, bool circle, bool overLimit) {
    double a1 = 0, a2 = 0;
    double extrusionZ = 1;
    while (line != "  0") {
      double* target = line == " 10" ? &e.CX : line == " 20" ? &e.CY : line == " 40" ? &e.R
                       : line == " 50" ? &a1 : line == " 51" ? &a2 : line == "230" ? &extrusionZ : nullptr;
      if (target != nullptr && !TakeValue(*target)) return Outcome::kTruncated;
      if (!m_source.Take(line)) return Outcome::kTruncated;
    }
    // Drawn with the extrusion direction (0, 0, -1) (a mirrored arc): its
    // centre and angles are mirrored in x. Seen from above the arc runs
    // clockwise from 180 - a1 to 180 - a2, that is counter-clockwise from
    // 180 - a2 to 180 - a1. A circle keeps its start at the rightmost point.
    if (extrusionZ < 0) {
      e.CX = -e.CX + 0.0;
      if (!circle) {
        const double start = 180 - a2;
        a2 = 180 - a1;
        a1 = start;
      }
    }
    // Deliberately exact: the marker radius is a value typed in the drawing.
    if (e.R == kMarkerRadius) {
      if (m_list.markerCount >= EntityList::kMaxMarkers) return Outcome::kTooManyMarkers;
      ++m_list.markerCount;
      m_list.marker[m_list.markerCount] = MarkerPoint{e.CX, e.CY};
      if (!overLimit) --m_list.count;
      return Outcome::kOk;
    }
    if (overLimit) return Outcome::kTooManyEntities;
    const double radius = std::fabs(e.R);
    ArcPoint(e.CX, e.CY, radius, a1, e.X1, e.Y1);
    ArcPoint(e.CX, e.CY, radius, a2, e.X2, e.Y2);
    return Outcome::kOk;
  }

  LineSource& m_source;
  EntityList& m_list;
};

ExchangeResult ToResult(Outcome outcome, const std::string& fileName) {
  switch (outcome) {
    case Outcome::kOk: return ExchangeResult::Ok();
    case Outcome::kTruncated: return ExchangeResult::Stop(exchange_text::DxfTruncated(fileName));
    case Outcome::kTooManyEntities: return ExchangeResult::Stop(exchange_text::kTooManyEntities);
    case Outcome::kTooManyMarkers: return ExchangeResult::Stop(exchange_text::kTooManyMarkers);
  }
  return ExchangeResult::Ok();
}

}  // namespace

ExchangeResult ReadDxfText(const std::string& text, EntityList& list, const std::string& fileName) {
  const std::vector<std::string> physical = PhysicalLines(text);
  list.count = 0;
  list.markerCount = 0;
  bool sawEntities = false;
  {
    LineSource source(physical);
    Outcome outcome = DxfPass(source, list).Run(sawEntities);
    if (outcome != Outcome::kOk) return ToResult(outcome, fileName);
  }
  if (sawEntities) return ExchangeResult::Ok();
  // No "ENTITIES" line: the file's lines end in LF alone.
  list.count = 0;
  list.markerCount = 0;
  LineSource source(LfPieces(physical));
  return ToResult(DxfPass(source, list).Run(sawEntities), fileName);
}

}  // namespace vx
