// NC program generation: the blocks of one program for every piece of the layout.
#include "machining/nc_program.h"

#include <cstdio>

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

}  // namespace

std::string FormatCoord(double v) {
  std::string text = SignBlankTrimmed(RoundHalfEven(v, 3));
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

std::string NcGenerator::Coords(int row) const {
  return "X" + FormatCoord(Value(m_table.X, row)) + "Y" + FormatCoord(Value(m_table.Y, row));
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
      const double centreX = Value(t.X, i - 1), centreY = Value(t.Y, i - 1);
      const std::string word = Value(t.P1, i - 1) > 0 ? "G03" : "G02";
      WriteNumberedBlock(word + Coords(i) + "I" + FormatCoord(centreX - Value(t.X, i - 2)) + "J" +
                         FormatCoord(centreY - Value(t.Y, i - 2)));
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
