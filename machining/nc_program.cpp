// NC program generation: the blocks of one program for every piece of the layout.
#include "machining/nc_program.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "shell/contour_codes.h"
#include "machining/offset_path.h"
#include "machining/piece_transforms.h"
#include "shell/number_text.h"
#include "shell/table_file.h"

namespace vx {

namespace {

constexpr const char* kLineEnd = "\r\n";

bool ToFile(double target) { return target == 1 || target == 3; }      // exact: typed codes
bool ToPrinter(double target) { return target == 2 || target == 3; }   // exact: typed codes

// Coordinates up to 1e12 mm are whole thousandths below 2^53, so that the grid
// arithmetic below is exact and far from the range of long long.
constexpr double kLargestGridCoordinate = 1e12;

// A value as the NC text gives it back, in whole thousandths.
long long Thousandths(double v) { return std::llround(RoundHalfEven(v, 3) * 1000); }

struct GridPoint {
  long long x;
  long long y;
};

Vec2 FromGrid(GridPoint p) { return {static_cast<double>(p.x) / 1000, static_cast<double>(p.y) / 1000}; }

// How much farther from c the start s lies than the end e.
double RadiusGap(GridPoint s, GridPoint c, GridPoint e) {
  return std::fabs(Distance(FromGrid(s), FromGrid(c)) - Distance(FromGrid(e), FromGrid(c)));
}

// The grid point near the true centre where the rounded ends s and e lie
// equally far, as near as the grid allows: every point within half the
// tolerance is as good, and of those the one nearest the true centre is taken.
// Points equally far from both ends lie on their perpendicular bisector; the
// grid points round the true centre's foot on it are tried.
GridPoint BalancedCentre(GridPoint s, GridPoint e, Vec2 centre, GridPoint best) {
  const Vec2 rs = FromGrid(s), re = FromGrid(e);
  const Vec2 along = Unit(re - rs);
  const Vec2 foot = centre - along * Dot(centre - (rs + re) * 0.5, along);
  const GridPoint base{Thousandths(foot.x), Thousandths(foot.y)};
  auto rank = [](double gap) { return gap <= kArcRadiusTolerance / 2 ? 0.0 : gap; };
  double bestRank = rank(RadiusGap(s, best, e));
  double bestDistance = Distance(FromGrid(best), centre);
  constexpr int kSteps = 3;
  for (int a = -kSteps; a <= kSteps; ++a) {
    for (int b = -kSteps; b <= kSteps; ++b) {
      const GridPoint c{base.x + a, base.y + b};
      const double r = rank(RadiusGap(s, c, e));
      const double distance = Distance(FromGrid(c), centre);
      if (r < bestRank || (r == bestRank && distance < bestDistance)) {  // exact: equal ranks tie
        best = c;
        bestRank = r;
        bestDistance = distance;
      }
    }
  }
  return best;
}

}  // namespace

namespace {

// "-2.49999999999995E+16" -> "-24999999999999500": a shortest text in exponent
// form (a whole number of 1e15 or more) written out with its digits in full.
std::string WithoutExponent(const std::string& text) {
  const size_t e = text.find('E');
  if (e == std::string::npos) return text;
  const bool negative = !text.empty() && text[0] == '-';
  std::string digits;
  int pointAt = 0;  // digits before the decimal point in the mantissa
  bool pointSeen = false;
  for (size_t i = negative ? 1 : 0; i < e; ++i) {
    if (text[i] == '.') {
      pointSeen = true;
    } else {
      digits += text[i];
      if (!pointSeen) ++pointAt;
    }
  }
  const int exponent = std::atoi(text.c_str() + e + 1);
  // Only large values come here (the coordinates are rounded to 3 decimals), and
  // a double ends below 1e309, so the exponent is 15 to 308.
  if (exponent < 0 || exponent > 308) return text;
  const size_t wholeDigits = static_cast<size_t>(pointAt + exponent);
  if (digits.size() < wholeDigits) digits.append(wholeDigits - digits.size(), '0');
  std::string whole = digits.substr(0, wholeDigits);
  const std::string fraction = digits.substr(wholeDigits);
  if (!fraction.empty()) whole += "." + fraction;
  return (negative ? "-" : "") + whole;
}

}  // namespace

ArcOffsets ArcCentreOffsets(Vec2 start, Vec2 centre, Vec2 end) {
  // The grid holds thousandths in whole numbers; beyond kLargestGridCoordinate
  // (or for no number at all) they would overflow, and no controller takes
  // such an arc anyway: the offsets are then the plain differences.
  for (const double v : {start.x, start.y, centre.x, centre.y, end.x, end.y}) {
    if (!(std::fabs(v) <= kLargestGridCoordinate)) return {centre.x - start.x, centre.y - start.y};
  }
  const GridPoint s{Thousandths(start.x), Thousandths(start.y)};
  const GridPoint e{Thousandths(end.x), Thousandths(end.y)};
  GridPoint c{s.x + Thousandths(centre.x - start.x), s.y + Thousandths(centre.y - start.y)};
  const double gap = RadiusGap(s, c, e);
  // A larger gap than rounding can make (ends within 0.00075 mm of the circle,
  // each coordinate moved by up to 0.0005, the centre by up to 0.0014) is a
  // fault of the path itself, and moving the centre would hide it.
  constexpr double kRoundingGap = 0.006;
  if (gap > kArcRadiusTolerance && gap <= kRoundingGap) c = BalancedCentre(s, e, centre, c);
  return {static_cast<double>(c.x - s.x) / 1000, static_cast<double>(c.y - s.y) / 1000};
}

std::string FormatCoord(double v) {
  // No NC control reads the exponent form (it would take the E for an address
  // word), so a coordinate of 1e15 and more is written out in full.
  std::string text = WithoutExponent(SignBlankTrimmed(RoundHalfEven(v, 3)));
  if (text.find('.') == std::string::npos) text += ".";
  return text;
}

std::string SpeedBlock(const std::string& speedText) {
  if (!IsNumericText(speedText) || !(NumericValue(speedText) > 0)) return "M90";
  std::string speed = speedText;
  if (speed.find('.') == std::string::npos) speed += ".";
  return "F" + speed + "M90";
}

std::string BlockNumberWord(int n) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%03d", n);
  return std::string("N") + digits;
}

NcGenerator::NcGenerator(ElementTable& table, const PieceLayout& layout, std::string contourPath,
                         MessageBox& messageBox, ProgressLines& screen)
    : m_table(table),
      m_layout(layout),
      m_contourPath(std::move(contourPath)),
      m_messageBox(messageBox),
      m_screen(screen) {}

double NcGenerator::Value(const ElementTable::Column& column, int row) const {
  // The walk looks one row past RowCount; nothing lies beyond the table.
  return (row >= 0 && row <= ElementTable::kLastRow) ? static_cast<double>(column[static_cast<size_t>(row)]) : 0.0;
}

void NcGenerator::GenerateProgram(const NcSettings& settings, double programNumber, double outputTarget,
                                  int reverseFlag, NcChannels& channels) {
  m_channels = &channels;
  m_notFinite = false;
  m_outputTarget = outputTarget;
  m_reverseFlag = reverseFlag;
  m_speedBlock = SpeedBlock(settings.speed);
  m_side = NumericValue(settings.side);

  m_screen.Print(kOnlineMessage);
  if (ToPrinter(m_outputTarget) && channels.printer != nullptr) {
    // The print statement's number form: a sign position before, a blank after.
    channels.printer->TextLine(" ====== ｶｺｳ Prg W No=" + SignBlankText(programNumber) + " " + " =====");
  }
  m_g92Done = false;
  WriteBlock("%");
  const double wireOffset = NumericValue(settings.wireOffset);
  for (int k = 0; k < PieceLayout::kPieces && m_layout.InUse(k); ++k) PlaceAndEmit(k, wireOffset);
  WriteBlock("G23");
  WriteBlock("M02");
  WriteBlock("%");
  m_channels = nullptr;
}

void NcGenerator::PlaceAndEmit(int k, double wireOffset) {
  ElementTable& t = m_table;
  LoadTable(t, m_contourPath);
  if (m_reverseFlag == 1) {
    // Each arc keeps its circle and runs the other way.
    ReverseRows(t);
    for (int r = 1; r <= t.RowCount && r <= ElementTable::kLastRow; ++r) {
      Cell& p1 = t.P1[static_cast<size_t>(r)];
      if (!p1.IsEmpty()) p1 = -static_cast<double>(p1);
    }
  }
  PlacePiece(t, m_layout, k);
  if (wireOffset != 0) ComputeOffsetPath(t, wireOffset, m_messageBox);  // exact: 0 means no offset
  if (k > 0) {
    // The way from the previous piece to this one.
    t.CurRow = 1;
    WriteNumberedBlock("G00" + Coords(1));
  }
  EmitPiece();
}

std::string NcGenerator::Word(double value) const {
  // An overflowed shift, turn or offset gives no number; FormatCoord would
  // write it as 0, so the program is marked as not to be stored.
  if (!std::isfinite(value)) m_notFinite = true;
  return FormatCoord(value);
}

std::string NcGenerator::Coords(int row) const {
  return "X" + Word(Value(m_table.X, row)) + "Y" + Word(Value(m_table.Y, row));
}

std::string NcGenerator::CompensationCode() const {
  const bool left = m_side == 1;  // exact: the typed code 1
  return (left != (m_reverseFlag == 1)) ? "G41" : "G42";
}

void NcGenerator::PieceHeader() {
  for (const char* code : {"M20", "M78", "M78", "M80", "M82", "M84"}) WriteBlock(code);
  WriteBlock(m_speedBlock);
  WriteBlock("G90");
  if (!m_g92Done) {
    WriteNumberedBlock("G92" + Coords(m_table.CurRow));
    m_g92Done = true;
  }
}

void NcGenerator::EmitPiece() {
  ElementTable& t = m_table;
  auto code = [this](int row) { return Value(m_table.Code, row); };
  t.CurRow = 1;
  PieceHeader();
  // The loop end is fixed when the loop starts; the body moves the row on
  // past separators and arc centres itself.
  const int last = t.RowCount;
  for (t.CurRow = 2; t.CurRow <= last; ++t.CurRow) {
    int& i = t.CurRow;
    if (code(i) == kEndCode) break;
    if (code(i + 1) == kSeparatorCode || i == last) WriteBlock("M01");  // before the last move of a sub-path
    if (code(i) == kSeparatorCode) {
      ++i;
      // A separator is never a move: further separators and chains of a
      // single point (a separator right after them) are passed over; with no
      // chain left the piece ends.
      while (i <= last && (code(i) == kSeparatorCode || (i + 1 <= last && code(i + 1) == kSeparatorCode))) ++i;
      if (i >= last) break;
      WriteNumberedBlock("G00" + Coords(i));
      PieceHeader();
      ++i;
    }
    if (Value(t.P1, i) == 0) {
      std::string block = "G01" + Coords(i);
      if (i == 2 || code(i - 2) == kSeparatorCode) block += CompensationCode() + "FH22EH21H20";
      if (code(i + 1) == kSeparatorCode || i == last) block += "G40F100.M91";
      WriteNumberedBlock(block);
    } else {
      ++i;
      auto point = [this](int row) { return Vec2{Value(m_table.X, row), Value(m_table.Y, row)}; };
      const ArcOffsets ij = ArcCentreOffsets(point(i - 2), point(i - 1), point(i));
      const std::string word = Value(t.P1, i - 1) > 0 ? "G03" : "G02";
      WriteNumberedBlock(word + Coords(i) + "I" + Word(ij.i) + "J" + Word(ij.j));
    }
  }
  WriteBlock("M21");
}

void NcGenerator::WriteBlock(const std::string& block) {
  std::string text;
  text.reserve(block.size());
  for (char c : block) {
    if (c != ' ') text += c;
  }
  if (ToFile(m_outputTarget)) m_channels->fileText += text + kLineEnd;
  if (ToPrinter(m_outputTarget) && m_channels->printer != nullptr) m_channels->printer->TextLine(text);
}

void NcGenerator::WriteNumberedBlock(const std::string& block) {
  ++m_blockCounter;
  WriteBlock(BlockNumberWord(m_blockCounter) + block);
}

}  // namespace vx
