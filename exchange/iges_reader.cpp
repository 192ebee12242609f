// The top layer of the IGES reader: which directory entries make the drawing,
// and how each entity type becomes lines and arcs of the entity list.
#include "exchange/iges_reader.h"

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
// Entries read in all, and characters of their parameters, each subfigure
// copy counted again: bounds the work of subfigures that place each other
// many times (drawing nothing, so the entity limit never stops them).
constexpr long kMaxVisits = 200000;
constexpr long kMaxWork = 4000000;

enum class Kind { kRead, kStructure, kSurface, kOther };

// Types the reader draws (curves and subfigure instances), types that only
// structure the file (never counted as left out), surfaces and solids of 3D
// models, and everything else.
Kind KindOf(long type) {
  switch (type) {
    case 100: case 102: case 104: case 106: case 110: case 112: case 126: case 408:
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

bool IsSolidFont(long font) { return font == 0 || font == 1; }

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
      if (e.readable && (e.PhysicallyDependent() || m_member[k])) continue;
      ExchangeResult r = Read(e, units, 0, true);
      if (!r.ok) return r;
    }
    if (m_list.count == 0 && m_surfaces) return ExchangeResult::Stop(exchange_text::kIgesSurfacesOnly);
    return ExchangeResult::Ok();
  }

 private:
  // Marks the members of every composite curve (102: N, pointers) and
  // subfigure definition (308: DEPTH, NAME, N, pointers). Records that do not
  // read are left to stop the import when they are read themselves.
  void MarkMembers() {
    m_member.assign(m_model.entries.size(), false);
    for (const IgesEntry& e : m_model.entries) {
      if (!e.readable || (e.type != 102 && e.type != 308)) continue;
      IgesParams p;
      const size_t countAt = e.type == 102 ? 1 : 3;
      long n = 0;
      if (!m_model.Parameters(e, p) || !p.IsType(e.type) || !p.Integer(countAt, n) || n < 0) continue;
      for (size_t i = 1; i <= static_cast<size_t>(n) && p.Has(countAt + i); ++i) {
        long pointer = 0;
        if (p.Integer(countAt + i, pointer) && m_model.Entry(pointer) != nullptr) {
          m_member[static_cast<size_t>((pointer - 1) / 2)] = true;
        }
      }
    }
  }

  // Reads one entry placed by outer (its parent's space to millimetres).
  // ownFlags: the entry's own line font and use decide whether it is drawn
  // (not so for the members of a composite curve, drawn as the composite is).
  ExchangeResult Read(const IgesEntry& e, const Affine3& outer, int depth, bool ownFlags) {
    if (++m_visits > kMaxVisits) return ExchangeResult::Stop(exchange_text::kIgesTooLarge);
    if (depth > kMaxDepth) return Fail(e, exchange_text::kIgesNestingTooDeep);
    if (!e.readable) return Fail(e, exchange_text::kIgesBadDirectory);
    const Kind kind = KindOf(e.type);
    if (kind == Kind::kStructure) return ExchangeResult::Ok();
    if (kind != Kind::kRead) {
      if (kind == Kind::kSurface) m_surfaces = true;
      return Skip(e);
    }
    if (ownFlags && (e.status.use == kIgesUseAnnotation || e.status.use == kIgesUseParameterSpace)) return Skip(e);
    if (ownFlags && !IsSolidFont(e.lineFont)) return Skip(e);
    if ((e.type == 110 && e.form != 0) || (e.type == 106 && !IsPolylineForm(e.form))) return Skip(e);
    if (e.pointer > kMaxSequence) return ExchangeResult::Stop(exchange_text::kIgesSequenceLimit);
    IgesParams p;
    if (!m_model.Parameters(e, p) || !p.IsType(e.type)) return Fail(e, exchange_text::kIgesBadParameters);
    for (const IgesToken& token : p.tokens) m_work += 1 + static_cast<long>(token.text.size());
    if (m_work > kMaxWork) return ExchangeResult::Stop(exchange_text::kIgesTooLarge);
    Affine3 place;
    ExchangeResult placed = Placement(e, place);
    if (!placed.ok) return placed;
    const Affine3 t = place.Then(outer);
    switch (e.type) {
      case 102: return Composite(e, p, t, depth);
      case 408: return Instance(e, p, t, depth);
      default: return Curve(e, p, t);
    }
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

  // 408: the entries of its 308 definition, scaled by S and moved by
  // (X, Y, Z), then placed by the instance's own matrix.
  ExchangeResult Instance(const IgesEntry& e, const IgesParams& p, const Affine3& t, int depth) {
    const IgesEntry* definition = Member(p, 1);
    Vec3 offset;
    double scale = 1;
    if (definition == nullptr || definition->type != 308 || !definition->readable) {
      return Fail(e, exchange_text::kIgesBadReference);
    }
    if (!p.Real(2, offset.x) || !p.Real(3, offset.y) || !p.Real(4, offset.z) || !p.RealOr(5, 1, scale)) {
      return Fail(e, exchange_text::kIgesBadParameters);
    }
    if (definition->pointer > kMaxSequence) return ExchangeResult::Stop(exchange_text::kIgesSequenceLimit);
    IgesParams d;
    long n = 0;
    // DEPTH, NAME, N, then N pointers.
    if (!m_model.Parameters(*definition, d) || !d.IsType(308) || !d.Integer(3, n) || n < 0 ||
        !d.Has(3 + static_cast<size_t>(n))) {
      return Fail(*definition, exchange_text::kIgesBadParameters);
    }
    const Affine3 inner = Affine3::ScaleThenTranslate(scale, offset).Then(t);
    for (long i = 0; i < n; ++i) {
      const IgesEntry* member = Member(d, 4 + static_cast<size_t>(i));
      if (member == nullptr) return Fail(*definition, exchange_text::kIgesBadReference);
      ExchangeResult r = Read(*member, inner, depth + 1, true);
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
  std::vector<bool> m_member;  // by entry index: a member of a composite curve or subfigure definition
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
