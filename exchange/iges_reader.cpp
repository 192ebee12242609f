// The top layer of the IGES reader: which directory entries make the drawing,
// and how each entity type becomes lines and arcs of the entity list.
#include "exchange/iges_reader.h"

#include <cmath>
#include <string>
#include <vector>

#include "exchange/exchange_messages.h"
#include "exchange/iges_curves.h"
#include "exchange/iges_geometry.h"
#include "exchange/iges_model.h"

namespace vx {
namespace {

// Entries with a directory number above this stop the import (the reader
// has always counted entries up to 5000).
constexpr long kMaxSequence = 5000;
// Composite curves and subfigures nest at most this deep, and a matrix chain
// holds at most this many matrices; a loop in the file reaches either bound.
constexpr int kMaxDepth = 16;
constexpr int kMaxMatrixChain = 16;
// Entries read through subfigure copies, arrays and composite curves, and
// characters of their parameters, each copy counted again: bounds
// the work of subfigures that place each other many times (drawing nothing,
// so the entity limit never stops them). The entries of the file itself are
// bounded by its size and are not counted: a drawing of many notes is not
// too large.
constexpr long kMaxVisits = 200000;
constexpr long kMaxWork = 4000000;

enum class Kind { kRead, kStructure, kSurface, kOther };

// Types the reader draws (curves and subfigure instances), types that only
// structure the file (never counted as left out), surfaces and solids of 3D
// models, and everything else.
Kind KindOf(long type) {
  switch (type) {
    case 100: case 102: case 104: case 106: case 110: case 112: case 126: case 408: case 412: case 414:
      return Kind::kRead;
    case 0: case 124: case 302: case 304: case 306: case 308: case 310: case 312: case 314: case 316:
    case 320: case 322: case 402: case 404: case 406: case 410: case 420:
      return Kind::kStructure;
    case 108: case 114: case 118: case 120: case 122: case 128: case 140: case 141: case 142: case 143:
    case 144: case 150: case 152: case 154: case 156: case 158: case 160: case 162: case 164: case 168:
    case 180: case 182: case 184: case 186: case 190: case 192: case 194: case 196: case 198: case 430:
    case 502: case 504: case 508: case 510: case 514:
      return Kind::kSurface;
    default:
      return Kind::kOther;
  }
}

std::string TypeName(long type) { return "TYPE " + std::to_string(type); }

// The bits set in a display pattern of hexadecimal digits, or -1 when the
// text holds anything else.
int PatternBits(const std::string& pattern) {
  int bits = 0;
  for (char c : pattern) {
    int digit = 0;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else {
      return -1;
    }
    for (; digit != 0; digit >>= 1) bits += digit & 1;
  }
  return bits;
}

// Copious data forms read as polylines: points (1-3), paths (11-13) and the
// closed planar curve (63). The others are annotation (centre lines,
// section lines, witness lines).
bool IsPolylineForm(long form) { return (form >= 1 && form <= 3) || (form >= 11 && form <= 13) || form == 63; }

class IgesImport {
 public:
  IgesImport(const IgesModel& model, bool yxOrder, EntityList& list)
      : m_model(model), m_yx(yxOrder), m_list(list), m_sink(list) {}

  ExchangeResult Run() {
    MarkMembers();
    const Affine3 units = Affine3::Scale(m_model.mmPerUnit);
    for (size_t k = 0; k < m_model.entries.size(); ++k) {
      const IgesEntry& e = m_model.entries[k];
      if (e.readable && KindOf(e.type) == Kind::kSurface) m_surfaces = true;
      // A physically dependent entry is part of another (a composite curve,
      // a subfigure definition, a surface) and read, if at all, through it;
      // so is a member of a composite curve or a subfigure definition that
      // its writer left marked independent: it is read once, as a member.
      // The members of a group are the group's drawing, whatever their flags.
      if (e.readable && ((e.PhysicallyDependent() && !m_grouped[k]) || m_member[k])) continue;
      ExchangeResult r = Read(e, units, 0, true);
      if (!r.ok) return r;
    }
    if (m_list.count == 0 && m_surfaces) return ExchangeResult::Stop(exchange_text::kIgesSurfacesOnly);
    CountUnreached();
    return ExchangeResult::Ok();
  }

 private:
  // Marks the members of every composite curve (102: N, pointers) and
  // subfigure definition (308: DEPTH, NAME, N, pointers). Records that do not
  // read are left to stop the import when they are read themselves.
  // Also marks the entries of the groups (402 forms 1, 7, 14 and 15: N,
  // pointers), which some writers mark physically dependent on their group.
  void MarkMembers() {
    m_member.assign(m_model.entries.size(), false);
    m_grouped.assign(m_model.entries.size(), false);
    m_reached.assign(m_model.entries.size(), false);
    for (const IgesEntry& e : m_model.entries) {
      const bool group = e.type == 402 && (e.form == 1 || e.form == 7 || e.form == 14 || e.form == 15);
      if (!e.readable || (e.type != 102 && e.type != 308 && !group)) continue;
      IgesParams p;
      const size_t countAt = e.type == 308 ? 3 : 1;
      long n = 0;
      if (!m_model.Parameters(e, p) || !p.IsType(e.type) || !p.Integer(countAt, n) || n < 0) continue;
      std::vector<bool>& marks = group ? m_grouped : m_member;
      for (size_t i = 1; i <= static_cast<size_t>(n) && p.Has(countAt + i); ++i) {
        long pointer = 0;
        if (p.Integer(countAt + i, pointer) && m_model.Entry(pointer) != nullptr) {
          marks[static_cast<size_t>((pointer - 1) / 2)] = true;
        }
      }
    }
  }

  // Counts as left out the curves that are part of something the reader
  // does not draw (a surface's boundary, say): physically dependent drawing
  // geometry that is no member of a composite curve, subfigure or group
  // (those are counted with their parent when it is left out).
  void CountUnreached() {
    for (size_t k = 0; k < m_model.entries.size(); ++k) {
      const IgesEntry& e = m_model.entries[k];
      if (!e.readable || m_reached[k] || m_member[k] || !e.PhysicallyDependent() || KindOf(e.type) != Kind::kRead) {
        continue;
      }
      if (e.status.use == kIgesUseAnnotation || e.status.use == kIgesUseParameterSpace) continue;
      m_list.CountSkipped(TypeName(e.type));
    }
  }

  // Reads one entry placed by outer (its parent's space to millimetres).
  // ownFlags: the entry's own line font and use decide whether it is drawn
  // (not so for the members of a composite curve, drawn as the composite is).
  ExchangeResult Read(const IgesEntry& e, const Affine3& outer, int depth, bool ownFlags) {
    if (depth > 0 && ++m_visits > kMaxVisits) return ExchangeResult::Stop(exchange_text::kIgesTooLarge);
    m_reached[static_cast<size_t>((e.pointer - 1) / 2)] = true;
    if (depth > kMaxDepth) return Fail(e, exchange_text::kIgesNestingTooDeep);
    if (!e.readable) return Fail(e, exchange_text::kIgesBadDirectory);
    const Kind kind = KindOf(e.type);
    if (kind == Kind::kStructure) return ExchangeResult::Ok();
    if (kind != Kind::kRead) {
      if (kind == Kind::kSurface) m_surfaces = true;
      return Skip(e);
    }
    if (ownFlags && (e.status.use == kIgesUseAnnotation || e.status.use == kIgesUseParameterSpace)) return Skip(e);
    if (ownFlags && !SolidFont(e.lineFont)) return Skip(e);
    if ((e.type == 110 && e.form != 0) || (e.type == 106 && !IsPolylineForm(e.form))) return Skip(e);
    if (e.pointer > kMaxSequence) return ExchangeResult::Stop(exchange_text::kIgesSequenceLimit);
    IgesParams p;
    if (!m_model.Parameters(e, p) || !p.IsType(e.type)) return Fail(e, exchange_text::kIgesBadParameters);
    if (depth > 0) {
      for (const IgesToken& token : p.tokens) m_work += 1 + static_cast<long>(token.text.size());
      if (m_work > kMaxWork) return ExchangeResult::Stop(exchange_text::kIgesTooLarge);
    }
    Affine3 place;
    ExchangeResult placed = Placement(e, place);
    if (!placed.ok) return placed;
    switch (e.type) {
      case 102: return Composite(e, p, place.Then(outer), depth);
      case 408: return Instance(e, p, place, outer, depth);
      case 412: return RectangularArray(e, p, place, outer, depth);
      case 414: return CircularArray(e, p, place, outer, depth);
      default: return Curve(e, p, place.Then(outer));
    }
  }

  // Whether a line font is solid: 0 (none given) and 1, or a pointer
  // (negative) to a line font definition of the pattern form (304 form 2:
  // M, M segment lengths, a display pattern of hexadecimal digits) whose
  // pattern shows all M segments. Dashed, templated and unreadable fonts
  // are not.
  bool SolidFont(long font) const {
    if (font >= 0) return font == 0 || font == 1;
    const IgesEntry* definition = m_model.Entry(-font);
    IgesParams p;
    long segments = 0;
    if (definition == nullptr || !definition->readable || definition->type != 304 || definition->form != 2 ||
        !m_model.Parameters(*definition, p) || !p.IsType(304) || !p.Integer(1, segments) || segments < 1 ||
        !p.Has(2 + static_cast<size_t>(segments))) {
      return false;
    }
    const IgesToken& pattern = p.tokens[2 + static_cast<size_t>(segments)];
    return pattern.isString && PatternBits(pattern.text) == segments;
  }

  // The entry's matrix chain: its own matrix first, then that matrix's
  // matrix, and so on.
  ExchangeResult Placement(const IgesEntry& e, Affine3& place) {
    place = Affine3{};
    long pointer = e.matrix;
    for (int n = 0; pointer != 0; ++n) {
      if (n >= kMaxMatrixChain) return Fail(e, exchange_text::kIgesMatrixChain);
      const IgesEntry* m = m_model.Entry(pointer);
      if (m == nullptr || !m->readable || m->type != 124) return Fail(e, exchange_text::kIgesBadReference);
      if (m->pointer > kMaxSequence) return ExchangeResult::Stop(exchange_text::kIgesSequenceLimit);
      IgesParams p;
      Affine3 matrix;
      if (!m_model.Parameters(*m, p) || !p.IsType(124) || !ReadMatrix(p, matrix)) {
        return Fail(*m, exchange_text::kIgesBadParameters);
      }
      place = place.Then(matrix);
      pointer = m->matrix;
    }
    return ExchangeResult::Ok();
  }

  static bool ReadMatrix(const IgesParams& p, Affine3& m) {
    // R11 R12 R13 T1 R21 R22 R23 T2 R31 R32 R33 T3
    for (int row = 0; row < 3; ++row) {
      for (int col = 0; col < 4; ++col) {
        double v = 0;
        if (!p.Real(1 + row * 4 + col, v)) return false;
        if (col < 3) {
          m.l[row][col] = v;
        } else {
          m.t[row] = v;
        }
      }
    }
    return true;
  }

  // 102: the members in order, each through its own matrix and then the
  // composite's.
  ExchangeResult Composite(const IgesEntry& e, const IgesParams& p, const Affine3& t, int depth) {
    long n = 0;
    if (!p.Integer(1, n) || n < 0 || !p.Has(1 + static_cast<size_t>(n))) {
      return Fail(e, exchange_text::kIgesBadParameters);
    }
    for (long i = 0; i < n; ++i) {
      const IgesEntry* member = Member(p, 2 + static_cast<size_t>(i));
      if (member == nullptr) return Fail(e, exchange_text::kIgesBadReference);
      ExchangeResult r = Read(*member, t, depth + 1, false);
      if (!r.ok) return r;
    }
    return ExchangeResult::Ok();
  }

  // Where a copy of a subfigure lands: its definition through local (scale,
  // and an array's turn), turned by the linear part of the instance's own
  // matrix, moved by that matrix's translation and by the copy's offset
  // (which the matrix does not turn: the copy's origin lands on the offset),
  // then placed by outer.
  static Affine3 CopyPlacement(const Affine3& local, const Affine3& place, const Vec3& offset, const Affine3& outer) {
    Affine3 copy = local.Then(place);
    copy.t[0] += offset.x;
    copy.t[1] += offset.y;
    copy.t[2] += offset.z;
    return copy.Then(outer);
  }

  // 408: DE of a 308 definition, X, Y, Z, S (default 1).
  ExchangeResult Instance(const IgesEntry& e, const IgesParams& p, const Affine3& place, const Affine3& outer,
                          int depth) {
    const IgesEntry* definition = Member(p, 1);
    Vec3 offset;
    double scale = 1;
    if (definition == nullptr || definition->type != 308 || !definition->readable) {
      return Fail(e, exchange_text::kIgesBadReference);
    }
    if (!p.Real(2, offset.x) || !p.Real(3, offset.y) || !p.Real(4, offset.z) || !p.RealOr(5, 1, scale)) {
      return Fail(e, exchange_text::kIgesBadParameters);
    }
    return Copy(*definition, CopyPlacement(Affine3::Scale(scale), place, offset, outer), depth);
  }

  // 412: DE of the base, S, X, Y, Z of the lower left corner, NC columns,
  // NR rows, DX, DY, rotation A (radians), LC, DO, LC positions. The array
  // is turned by A about its corner, copies and all: position (row r,
  // column c), numbered (r - 1) NC + c from 1, lies at the corner plus
  // (c - 1) DX along the turned rows and (r - 1) DY across them.
  ExchangeResult RectangularArray(const IgesEntry& e, const IgesParams& p, const Affine3& place,
                                  const Affine3& outer, int depth) {
    const IgesEntry* base = Member(p, 1);
    if (base == nullptr) return Fail(e, exchange_text::kIgesBadReference);
    double scale = 1, dx = 0, dy = 0, angle = 0;
    Vec3 corner;
    long columns = 0, rows = 0;
    if (!p.RealOr(2, 1, scale) || !p.Real(3, corner.x) || !p.Real(4, corner.y) || !p.Real(5, corner.z) ||
        !p.Integer(6, columns) || !p.Integer(7, rows) || !p.Real(8, dx) || !p.Real(9, dy) || !p.RealOr(10, 0, angle) ||
        columns < 0 || rows < 0) {
      return Fail(e, exchange_text::kIgesBadParameters);
    }
    // Bounded before the positions are counted out.
    if (columns > kMaxVisits || (rows > 0 && columns > kMaxVisits / rows)) {
      return ExchangeResult::Stop(exchange_text::kIgesTooLarge);
    }
    std::vector<bool> shown;
    if (!ShownPositions(p, 11, columns * rows, shown)) return Fail(e, exchange_text::kIgesBadParameters);
    const double c = std::cos(angle), s = std::sin(angle);
    Affine3 local = Affine3::Scale(scale);
    local.l[0][0] = scale * c;
    local.l[0][1] = -scale * s;
    local.l[1][0] = scale * s;
    local.l[1][1] = scale * c;
    for (long r = 0; r < rows; ++r) {
      for (long k = 0; k < columns; ++k) {
        if (!shown[static_cast<size_t>(r * columns + k)]) continue;
        const double u = k * dx, v = r * dy;
        const Vec3 at{corner.x + c * u - s * v, corner.y + s * u + c * v, corner.z};
        ExchangeResult read = Copy(*base, CopyPlacement(local, place, at, outer), depth);
        if (!read.ok) return read;
      }
    }
    return ExchangeResult::Ok();
  }

  // 414: DE of the base, NC positions, X, Y, Z of the centre, radius R,
  // start angle A, step D (radians), LC, DO, LC positions. Position i
  // (from 1) lies on the circle at the angle A + (i - 1) D; the copies are
  // moved there, not turned.
  ExchangeResult CircularArray(const IgesEntry& e, const IgesParams& p, const Affine3& place, const Affine3& outer,
                               int depth) {
    const IgesEntry* base = Member(p, 1);
    if (base == nullptr) return Fail(e, exchange_text::kIgesBadReference);
    long count = 0;
    Vec3 centre;
    double radius = 0, start = 0, step = 0;
    if (!p.Integer(2, count) || !p.Real(3, centre.x) || !p.Real(4, centre.y) || !p.Real(5, centre.z) ||
        !p.Real(6, radius) || !p.Real(7, start) || !p.Real(8, step) || count < 0) {
      return Fail(e, exchange_text::kIgesBadParameters);
    }
    if (count > kMaxVisits) return ExchangeResult::Stop(exchange_text::kIgesTooLarge);
    std::vector<bool> shown;
    if (!ShownPositions(p, 9, count, shown)) return Fail(e, exchange_text::kIgesBadParameters);
    for (long i = 0; i < count; ++i) {
      if (!shown[static_cast<size_t>(i)]) continue;
      const double a = start + static_cast<double>(i) * step;
      const Vec3 at{centre.x + radius * std::cos(a), centre.y + radius * std::sin(a), centre.z};
      ExchangeResult read = Copy(*base, CopyPlacement(Affine3{}, place, at, outer), depth);
      if (!read.ok) return read;
    }
    return ExchangeResult::Ok();
  }

  // The do-don't list of an array from parameter `at` on (LC, DO, LC
  // position numbers): with LC = 0 every position is shown; otherwise DO = 0
  // shows the positions listed and DO = 1 all but those. Numbers outside
  // 1..count are passed over.
  static bool ShownPositions(const IgesParams& p, size_t at, long count, std::vector<bool>& shown) {
    long listed = 0, flag = 0;
    if ((p.Has(at) && !p.Integer(at, listed)) || listed < 0 || static_cast<size_t>(listed) > p.tokens.size()) {
      return false;
    }
    if (listed == 0) {
      shown.assign(static_cast<size_t>(count), true);
      return true;
    }
    if (!p.Integer(at + 1, flag) || !p.Has(at + 1 + static_cast<size_t>(listed))) return false;
    shown.assign(static_cast<size_t>(count), flag != 0);
    for (long i = 1; i <= listed; ++i) {
      long n = 0;
      if (!p.Integer(at + 1 + static_cast<size_t>(i), n)) return false;
      if (n >= 1 && n <= count) shown[static_cast<size_t>(n - 1)] = flag == 0;
    }
    return true;
  }

  // One copy of a subfigure definition (its entries, each through its own
  // flags) or, for the arrays, of any other base entity, placed by copy.
  ExchangeResult Copy(const IgesEntry& base, const Affine3& copy, int depth) {
    if (base.type != 308) return Read(base, copy, depth + 1, true);
    if (!base.readable) return Fail(base, exchange_text::kIgesBadDirectory);
    if (base.pointer > kMaxSequence) return ExchangeResult::Stop(exchange_text::kIgesSequenceLimit);
    IgesParams d;
    long n = 0;
    // DEPTH, NAME, N, then N pointers.
    if (!m_model.Parameters(base, d) || !d.IsType(308) || !d.Integer(3, n) || n < 0 ||
        !d.Has(3 + static_cast<size_t>(n))) {
      return Fail(base, exchange_text::kIgesBadParameters);
    }
    for (long i = 0; i < n; ++i) {
      const IgesEntry* member = Member(d, 4 + static_cast<size_t>(i));
      if (member == nullptr) return Fail(base, exchange_text::kIgesBadReference);
      ExchangeResult r = Read(*member, copy, depth + 1, true);
      if (!r.ok) return r;
    }
    return ExchangeResult::Ok();
  }

  // The plane curves: through the curve builders into the sink.
  ExchangeResult Curve(const IgesEntry& e, const IgesParams& p, const Affine3& t) {
    IgesCurveResult r = AddIgesCurve(e, p, t, m_yx, m_sink);
    switch (r) {
      case IgesCurveResult::kOk: return ExchangeResult::Ok();
      case IgesCurveResult::kUnsupported: return Skip(e);
      case IgesCurveResult::kBadParameters: return Fail(e, exchange_text::kIgesBadParameters);
      case IgesCurveResult::kBadCurve: return Fail(e, exchange_text::kIgesBadCurve);
      case IgesCurveResult::kNotPlanar: return ExchangeResult::Stop(exchange_text::kIgesNotPlanar);
      case IgesCurveResult::kOutOfRange: return Fail(e, exchange_text::kIgesOutOfRange);
      case IgesCurveResult::kFull: return ExchangeResult::Stop(exchange_text::kTooManyEntities);
    }
    return ExchangeResult::Ok();
  }

  // The entry a pointer parameter names, or null.
  const IgesEntry* Member(const IgesParams& p, size_t index) const {
    long pointer = 0;
    if (!p.Integer(index, pointer)) return nullptr;
    return m_model.Entry(pointer);
  }

  ExchangeResult Skip(const IgesEntry& e) {
    m_list.CountSkipped(TypeName(e.type));
    return ExchangeResult::Ok();
  }

  static ExchangeResult Fail(const IgesEntry& e, const char* cause) {
    return ExchangeResult::Stop(exchange_text::IgesBadEntry(e.pointer, e.type, cause));
  }

  const IgesModel& m_model;
  bool m_yx;
  EntityList& m_list;
  IgesPlaneSink m_sink;
  // By entry index: a member of a composite curve or subfigure definition;
  // an entry of a group; an entry read (or left out and counted) at least once.
  std::vector<bool> m_member, m_grouped, m_reached;
  long m_visits = 0;
  long m_work = 0;
  bool m_surfaces = false;  // the file holds a surface or solid
};

}  // namespace

ExchangeResult ReadIgesText(const std::string& text, bool yxOrder, EntityList& list) {
  list.count = 0;
  list.markerCount = 0;
  list.skipped.clear();
  IgesModel model;
  ExchangeResult decoded = DecodeIges(text, model);
  if (!decoded.ok) return decoded;
  EntityList read;
  ExchangeResult result = IgesImport(model, yxOrder, read).Run();
  if (!result.ok) return result;
  list = read;
  return ExchangeResult::Ok();
}

}  // namespace vx
