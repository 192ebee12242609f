// The DXF decoder: sections, blocks and entities from the pair stream into plain structs.
#include "exchange/dxf_decoder.h"

#include <climits>

#include "exchange/dxf_tokenizer.h"
#include "exchange/exchange_messages.h"

namespace vx {
namespace {

// Vertex flags of a POLYLINE's VERTEX: a spline frame control point is not
// part of the drawn polyline.
constexpr long kFrameControlPoint = 16;
// POLYLINE flags.
constexpr long kPolylineClosed = 1;
constexpr long kPolyline3d = 8;
constexpr long kPolygonMesh = 16;
constexpr long kPolyfaceMesh = 64;

// A fault that ends decoding, with its message.
struct Fault {
  std::string message;
};

class Decoder {
 public:
  Decoder(std::string_view text, DxfDrawing& drawing, const std::string& fileName)
      : m_tokens(text), m_drawing(drawing), m_fileName(fileName) {}

  DxfDecodeResult Run();

 private:
  // The next pair; false at the end of the text. A broken code line or a
  // code without value is a fault (truncated when the text ends there).
  bool Take(DxfPair& pair);
  // The next pair, which must exist: the end of the text here is a truncation.
  DxfPair Need();
  [[noreturn]] void Truncated() { throw Fault{exchange_text::DxfTruncated(m_fileName)}; }

  // The number of a pair's value; a value that is no number, or out of
  // range, stops decoding with a message naming its line.
  double Real(const DxfPair& pair);
  long Integer(const DxfPair& pair, long lo, long hi);
  void CheckNumber(DxfNumber read, const DxfPair& pair) const;

  void SkipSection();
  void ReadBlocks();
  // Entities up to the pair (0, endName); the end pair is consumed.
  void ReadEntities(std::vector<DxfEntity>& out, std::string_view endName, bool modelSpace);
  // Reads the pairs of one entity after its (0, type) pair, up to the next
  // code 0, which is pushed back.
  void ReadEntity(const DxfPair& start, std::vector<DxfEntity>& out, bool modelSpace);
  template <typename OnPair>
  void ForEachPair(OnPair onPair);

  void ReadLine(DxfEntity& e);
  void ReadArc(DxfEntity& e, bool circle);
  void ReadLwPolyline(DxfEntity& e);
  void ReadPolyline(DxfEntity& e);
  void ReadEllipse(DxfEntity& e);
  void ReadSpline(DxfEntity& e);
  void ReadInsert(DxfEntity& e);
  // The handles of an MTEXT's frames, from its extended data
  // (ACAD_MTEXT_TEXT_BORDERS_BEGIN ... 1005 handle ... _END).
  void ReadTextFrames();
  // Entities that follow their owner up to SEQEND (VERTEX after POLYLINE,
  // ATTRIB after INSERT); each is handed to onEntity with its type.
  template <typename OnEntity>
  void ReadFollowers(std::string_view followerType, OnEntity onEntity);

  // Group 67 = 1 of the entity being read: it belongs to paper space.
  bool m_paperSpace = false;
  // Group 60 = 1 of the entity being read: it is invisible.
  bool m_invisible = false;
  // Extrusion and handle of the entity being read.
  DxfPoint* m_extrusion = nullptr;
  std::string* m_handle = nullptr;

  DxfTokenizer m_tokens;
  DxfDrawing& m_drawing;
  const std::string& m_fileName;
  bool m_entitiesDone = false;
};

bool Decoder::Take(DxfPair& pair) {
  switch (m_tokens.Next(pair)) {
    case DxfTokenStatus::kPair: return true;
    case DxfTokenStatus::kEnd: return false;
    case DxfTokenStatus::kMissingValue: Truncated();
    case DxfTokenStatus::kBadCode:
      // Text that is not DXF at all fails on its first line already.
      if (m_tokens.Line() <= 1) throw Fault{exchange_text::DxfNotDxf(m_fileName)};
      throw Fault{exchange_text::DxfBadCode(m_fileName, m_tokens.Line())};
  }
  return false;
}

DxfPair Decoder::Need() {
  DxfPair pair;
  if (!Take(pair)) Truncated();
  return pair;
}

void Decoder::CheckNumber(DxfNumber read, const DxfPair& pair) const {
  // The value is on the line after its code.
  if (read == DxfNumber::kNotANumber) throw Fault{exchange_text::DxfNotANumber(m_fileName, pair.line + 1)};
  if (read == DxfNumber::kOutOfRange) throw Fault{exchange_text::DxfBadNumber(m_fileName, pair.line + 1)};
}

double Decoder::Real(const DxfPair& pair) {
  double value = 0;
  CheckNumber(DxfReal(pair.value, value), pair);
  return value;
}

long Decoder::Integer(const DxfPair& pair, long lo, long hi) {
  long value = 0;
  CheckNumber(DxfInteger(pair.value, lo, hi, value), pair);
  return value;
}

template <typename OnPair>
void Decoder::ForEachPair(OnPair onPair) {
  for (;;) {
    const DxfPair pair = Need();
    if (pair.code == 0) {
      m_tokens.PushBack(pair);
      return;
    }
    if (pair.code == 5 && m_handle != nullptr) *m_handle = std::string(pair.value);
    if (pair.code == 67) m_paperSpace = Integer(pair, SHRT_MIN, SHRT_MAX) == 1;
    if (pair.code == 60) m_invisible = Integer(pair, SHRT_MIN, SHRT_MAX) == 1;
    if (m_extrusion != nullptr) {
      if (pair.code == 210) m_extrusion->x = Real(pair);
      if (pair.code == 220) m_extrusion->y = Real(pair);
      if (pair.code == 230) m_extrusion->z = Real(pair);
    }
    onPair(pair);
  }
}

DxfDecodeResult Decoder::Run() {
  try {
    DxfPair pair;
    bool first = true;
    while (Take(pair)) {
      if (pair.code == 0 && pair.value == "EOF") break;
      if (pair.code != 0 || pair.value != "SECTION") {
        if (first) throw Fault{exchange_text::DxfNotDxf(m_fileName)};
        continue;  // stray pairs between sections are passed over
      }
      first = false;
      const DxfPair name = Need();
      if (name.code != 2) {
        m_tokens.PushBack(name);
        SkipSection();
      } else if (name.value == "ENTITIES") {
        m_drawing.hasEntitiesSection = true;
        ReadEntities(m_drawing.entities, "ENDSEC", true);
        m_entitiesDone = true;
      } else if (name.value == "BLOCKS") {
        ReadBlocks();
      } else {
        SkipSection();
      }
    }
    if (first) throw Fault{exchange_text::DxfNotDxf(m_fileName)};
    if (!m_drawing.hasEntitiesSection) {
      // A file cut before its ENTITIES section is truncated; a whole file
      // (with its EOF) simply has no drawing entities.
      if (pair.code != 0 || pair.value != "EOF") Truncated();
      throw Fault{exchange_text::DxfNoEntitiesSection(m_fileName)};
    }
  } catch (const Fault& fault) {
    // Faults after the ENTITIES section cost no geometry.
    if (!m_entitiesDone) return {false, fault.message};
  }
  return {};
}

void Decoder::SkipSection() {
  for (;;) {
    const DxfPair pair = Need();
    if (pair.code == 0 && (pair.value == "ENDSEC" || pair.value == "EOF")) return;
  }
}

void Decoder::ReadBlocks() {
  for (;;) {
    const DxfPair pair = Need();
    if (pair.code != 0) continue;
    if (pair.value == "ENDSEC" || pair.value == "EOF") return;
    if (pair.value != "BLOCK") continue;
    DxfBlock block;
    m_extrusion = nullptr;
    ForEachPair([&](const DxfPair& p) {
      if (p.code == 2) block.name = std::string(p.value);
      if (p.code == 10) block.base.x = Real(p);
      if (p.code == 20) block.base.y = Real(p);
      if (p.code == 30) block.base.z = Real(p);
      if (p.code == 70) block.flags = Integer(p, SHRT_MIN, USHRT_MAX);
    });
    ReadEntities(block.entities, "ENDBLK", false);
    std::string key = DxfUpper(block.name);
    // The first definition of a name holds, as CAD systems read it.
    m_drawing.blocks.emplace(std::move(key), std::move(block));
  }
}

void Decoder::ReadEntities(std::vector<DxfEntity>& out, std::string_view endName, bool modelSpace) {
  for (;;) {
    const DxfPair pair = Need();
    if (pair.code != 0) continue;  // stray pairs are passed over
    if (pair.value == endName) {
      // The end marker's own pairs (ENDBLK has a few).
      m_extrusion = nullptr;
      ForEachPair([](const DxfPair&) {});
      return;
    }
    // A section or block that ends without its end marker ends here.
    if (pair.value == "ENDSEC" || pair.value == "EOF" || pair.value == "SECTION" ||
        (pair.value == "BLOCK" && endName == "ENDBLK")) {
      m_tokens.PushBack(pair);
      return;
    }
    ReadEntity(pair, out, modelSpace);
  }
}

void Decoder::ReadEntity(const DxfPair& start, std::vector<DxfEntity>& out, bool modelSpace) {
  DxfEntity e;
  e.type = std::string(start.value);
  e.line = start.line;
  m_paperSpace = false;
  m_invisible = false;
  m_extrusion = &e.extrusion;
  m_handle = &e.handle;
  const std::string_view type = start.value;
  if (type == "LINE") {
    ReadLine(e);
  } else if (type == "ARC" || type == "CIRCLE") {
    ReadArc(e, type == "CIRCLE");
  } else if (type == "LWPOLYLINE") {
    ReadLwPolyline(e);
  } else if (type == "POLYLINE") {
    ReadPolyline(e);
  } else if (type == "ELLIPSE") {
    ReadEllipse(e);
  } else if (type == "SPLINE") {
    ReadSpline(e);
  } else if (type == "INSERT") {
    ReadInsert(e);
  } else if (type == "MTEXT") {
    ReadTextFrames();
  } else {
    ForEachPair([](const DxfPair&) {});
  }
  m_extrusion = nullptr;
  m_handle = nullptr;
  e.invisible = m_invisible;
  if (modelSpace && m_paperSpace) {
    ++m_drawing.paperSpaceEntities;
    return;
  }
  out.push_back(std::move(e));
}

void Decoder::ReadLine(DxfEntity& e) {
  DxfLine line;
  ForEachPair([&](const DxfPair& p) {
    switch (p.code) {
      case 10: line.start.x = Real(p); break;
      case 20: line.start.y = Real(p); break;
      case 11: line.end.x = Real(p); break;
      case 21: line.end.y = Real(p); break;
      default: break;
    }
  });
  e.data = line;
}

void Decoder::ReadArc(DxfEntity& e, bool circle) {
  DxfArc arc;
  arc.circle = circle;
  ForEachPair([&](const DxfPair& p) {
    switch (p.code) {
      case 10: arc.centre.x = Real(p); break;
      case 20: arc.centre.y = Real(p); break;
      case 30: arc.centre.z = Real(p); break;
      case 40: arc.radius = Real(p); break;
      case 50: arc.startAngle = Real(p); break;
      case 51: arc.endAngle = Real(p); break;
      default: break;
    }
  });
  e.data = arc;
}

void Decoder::ReadLwPolyline(DxfEntity& e) {
  DxfPolyline poly;
  ForEachPair([&](const DxfPair& p) {
    switch (p.code) {
      case 10: poly.vertices.push_back(DxfVertex{Real(p), 0, 0}); break;
      case 20:
        if (!poly.vertices.empty()) poly.vertices.back().y = Real(p);
        break;
      case 42:
        if (!poly.vertices.empty()) poly.vertices.back().bulge = Real(p);
        break;
      case 38: poly.elevation = Real(p); break;
      case 70: poly.closed = (Integer(p, SHRT_MIN, USHRT_MAX) & kPolylineClosed) != 0; break;
      default: break;
    }
  });
  e.data = std::move(poly);
}

void Decoder::ReadPolyline(DxfEntity& e) {
  DxfPolyline poly;
  long flags = 0;
  ForEachPair([&](const DxfPair& p) {
    if (p.code == 30) poly.elevation = Real(p);
    if (p.code == 70) flags = Integer(p, SHRT_MIN, USHRT_MAX);
  });
  poly.closed = (flags & kPolylineClosed) != 0;
  if (flags & kPolyfaceMesh) {
    poly.kind = DxfPolyline::Kind::kPolyface;
  } else if (flags & kPolygonMesh) {
    poly.kind = DxfPolyline::Kind::kMesh;
  } else if (flags & kPolyline3d) {
    poly.kind = DxfPolyline::Kind::k3d;
  }
  DxfPoint* const ownExtrusion = m_extrusion;
  const bool ownPaperSpace = m_paperSpace, ownInvisible = m_invisible;
  ReadFollowers("VERTEX", [&]() {
    DxfVertex v;
    long vertexFlags = 0;
    ForEachPair([&](const DxfPair& p) {
      switch (p.code) {
        case 10: v.x = Real(p); break;
        case 20: v.y = Real(p); break;
        case 42: v.bulge = Real(p); break;
        case 70: vertexFlags = Integer(p, SHRT_MIN, USHRT_MAX); break;
        default: break;
      }
    });
    if ((vertexFlags & kFrameControlPoint) == 0) poly.vertices.push_back(v);
  });
  m_extrusion = ownExtrusion;
  m_paperSpace = ownPaperSpace;
  m_invisible = ownInvisible;
  e.data = std::move(poly);
}

template <typename OnEntity>
void Decoder::ReadFollowers(std::string_view followerType, OnEntity onEntity) {
  DxfPoint scratch;
  for (;;) {
    const DxfPair pair = Need();
    m_extrusion = &scratch;  // the followers' own extrusion is their owner's
    m_handle = nullptr;
    if (pair.code == 0 && pair.value == followerType) {
      onEntity();
      continue;
    }
    if (pair.code == 0 && pair.value == "SEQEND") {
      ForEachPair([](const DxfPair&) {});
      return;
    }
    // An owner without SEQEND: the next entity begins here.
    m_tokens.PushBack(pair);
    return;
  }
}

void Decoder::ReadEllipse(DxfEntity& e) {
  DxfEllipse ellipse;
  ForEachPair([&](const DxfPair& p) {
    switch (p.code) {
      case 10: ellipse.centre.x = Real(p); break;
      case 20: ellipse.centre.y = Real(p); break;
      case 11: ellipse.majorAxis.x = Real(p); break;
      case 21: ellipse.majorAxis.y = Real(p); break;
      case 31: ellipse.majorAxis.z = Real(p); break;
      case 40: ellipse.ratio = Real(p); break;
      case 41: ellipse.startParam = Real(p); break;
      case 42: ellipse.endParam = Real(p); break;
      default: break;
    }
  });
  e.data = ellipse;
}

void Decoder::ReadSpline(DxfEntity& e) {
  DxfSpline spline;
  ForEachPair([&](const DxfPair& p) {
    switch (p.code) {
      case 70: spline.flags = Integer(p, SHRT_MIN, USHRT_MAX); break;
      case 71: spline.degree = Integer(p, SHRT_MIN, SHRT_MAX); break;
      case 40: spline.knots.push_back(Real(p)); break;
      case 41: spline.weights.push_back(Real(p)); break;
      case 10: spline.control.push_back(DxfPoint{Real(p), 0, 0}); break;
      case 20:
        if (!spline.control.empty()) spline.control.back().y = Real(p);
        break;
      case 11: spline.fit.push_back(DxfPoint{Real(p), 0, 0}); break;
      case 21:
        if (!spline.fit.empty()) spline.fit.back().y = Real(p);
        break;
      case 12:
        spline.startTangent.x = Real(p);
        spline.hasStartTangent = true;
        break;
      case 22: spline.startTangent.y = Real(p); break;
      case 13:
        spline.endTangent.x = Real(p);
        spline.hasEndTangent = true;
        break;
      case 23: spline.endTangent.y = Real(p); break;
      default: break;
    }
  });
  e.data = std::move(spline);
}

void Decoder::ReadTextFrames() {
  bool inBorders = false;
  ForEachPair([&](const DxfPair& p) {
    if (p.code == 1000) inBorders = p.value == "ACAD_MTEXT_TEXT_BORDERS_BEGIN";
    if (inBorders && p.code == 1005) m_drawing.textFrames.emplace(p.value);
  });
}

void Decoder::ReadInsert(DxfEntity& e) {
  DxfInsert insert;
  bool attributesFollow = false;
  ForEachPair([&](const DxfPair& p) {
    switch (p.code) {
      case 2: insert.block = std::string(p.value); break;
      case 10: insert.insert.x = Real(p); break;
      case 20: insert.insert.y = Real(p); break;
      case 30: insert.insert.z = Real(p); break;
      case 41: insert.xScale = Real(p); break;
      case 42: insert.yScale = Real(p); break;
      case 50: insert.rotation = Real(p); break;
      case 44: insert.columnSpacing = Real(p); break;
      case 45: insert.rowSpacing = Real(p); break;
      case 70: insert.columns = Integer(p, SHRT_MIN, USHRT_MAX); break;
      case 71: insert.rows = Integer(p, SHRT_MIN, USHRT_MAX); break;
      case 66: attributesFollow = Integer(p, SHRT_MIN, SHRT_MAX) != 0; break;
      default: break;
    }
  });
  e.data = insert;
  if (!attributesFollow) return;
  DxfPoint* const ownExtrusion = m_extrusion;
  const bool ownPaperSpace = m_paperSpace, ownInvisible = m_invisible;
  int attributes = 0;
  ReadFollowers("ATTRIB", [&]() {
    ForEachPair([](const DxfPair&) {});
    ++attributes;
  });
  m_extrusion = ownExtrusion;
  m_paperSpace = ownPaperSpace;
  m_invisible = ownInvisible;
  std::get<DxfInsert>(e.data).attributes = attributes;
}

}  // namespace

std::string DxfUpper(std::string_view name) {
  std::string upper(name);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

DxfDecodeResult DecodeDxf(std::string_view text, DxfDrawing& drawing, const std::string& fileName) {
  drawing = DxfDrawing{};
  if (IsBinaryDxf(text)) return {false, exchange_text::DxfBinary(fileName)};
  if (IsDwg(text)) return {false, exchange_text::DxfIsDwg(fileName)};
  return Decoder(text, drawing, fileName).Run();
}

}  // namespace vx
