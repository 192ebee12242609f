// NC program generation: the blocks of one program for every piece of the layout.
#pragma once

#include <string>

#include "machining/path_geometry.h"
#include "machining/piece_layout.h"
#include "platform/message_box.h"
#include "platform/printer.h"
#include "platform/progress_lines.h"
#include "shell/element_table.h"

namespace vx {

// The texts of the NC output screen as typed (Text1 .. Text8); the defaults
// are the screen's initial texts.
struct NcSettings {
  std::string programNumber = "1";  // Text1: program number
  std::string m21Offset = "-0.4";   // Text2: read, no block depends on it
  std::string m23Offset = "-0.4";   // Text3: read, no block depends on it
  std::string outputTarget = "1";   // Text4: 1 file, 2 printer, 3 both
  std::string speed = "0";          // Text5: average speed F
  std::string wireOffset = "0";     // Text6: mm, positive = left of travel
  std::string reverse = "0";        // Text7: 1 = also the reverse-direction program
  std::string side = "2";           // Text8: 1 = G41, anything else G42
};

// The line the screen prints on itself while a program is written.
inline constexpr const char* kOnlineMessage = "[ ｵﾝﾗｲﾝ ﾁｭｳ!!   ｼﾊﾞﾗｸ ｵﾏﾁ ｸﾀﾞｻｲ｡ ] ";

// Coordinate text: rounded to 3 decimals (halves to even), fewest digits, no
// zero before the point below 1, always with a point: 10 -> "10.",
// -0.25 -> "-.25", 0.0004 -> "0.".
std::string FormatCoord(double v);

// How far the start and the end of an arc block, as a controller reads them,
// may differ in their distance from its centre: a controller's radius check
// allows about this much before it stops with an alarm.
inline constexpr double kArcRadiusTolerance = 0.001;

// The centre offsets I, J of the arc block from start about centre to end.
// Normally centre - start rounded to 3 decimals. When the controller, reading
// start, end and start + (I, J) at 3 decimals, would find the start and the
// end farther than kArcRadiusTolerance apart in their distance from the
// centre, the centre is taken instead at the 0.001 mm grid point near the
// true centre where the two distances agree best (within half the tolerance
// where such a point lies within three grid steps of the perpendicular
// bisector of the rounded ends, nearest the true centre). A gap larger than
// rounding can make (over 0.006 mm) is left as it is: the path itself is
// wrong there. I and J are whole thousandths either way. Coordinates beyond
// 1e12 mm (or not finite) give the plain differences centre - start.
struct ArcOffsets {
  double i = 0;
  double j = 0;
};
ArcOffsets ArcCentreOffsets(Vec2 start, Vec2 centre, Vec2 end);

// The speed block: "F" + text + "M90" when the text is a number greater than
// 0 (a "." appended when it has none), else "M90" alone (also for a text that
// is not a number, the empty text included).
std::string SpeedBlock(const std::string& speedText);

// The block number word for block n >= 1: "N" and at least three digits,
// zero-padded (N001, N999); from N1000 on the field widens to four digits and
// more, so block numbers never wrap.
std::string BlockNumberWord(int n);

// Where the blocks of one program go: the file text (lines ending in CR LF,
// written whole when the program is closed) and the printed listing.
struct NcChannels {
  bool toFile = false;
  std::string fileText;
  Printer* printer = nullptr;  // set when the target prints
};

// The generation state of one START and its procedures. The element table is
// reloaded from the contour file for every piece and holds the last piece
// (with its offset path) afterwards.
class NcGenerator {
 public:
  NcGenerator(ElementTable& table, const PieceLayout& layout, std::string contourPath, MessageBox& messageBox,
              ProgressLines& screen);

  // Set once per START; not again for the reverse program.
  void ResetBlockCounter() { m_blockCounter = 0; }
  int BlockCounter() const { return m_blockCounter; }

  // Writes one complete program to the channels: the screen line, the
  // printed heading (targets 2 and 3), "%", every piece in use, "G23", "M02",
  // "%". outputTarget is the numeric value of Text4; reverseFlag 1 reverses
  // every piece and exchanges G41 and G42.
  void GenerateProgram(const NcSettings& settings, double programNumber, double outputTarget, int reverseFlag,
                       NcChannels& channels);
  // True when the last program generated has a coordinate that is not a finite
  // number (a shift, turn or offset beyond the range of numbers): such a
  // program must not be stored or printed.
  bool HasNonFiniteCoordinate() const { return m_notFinite; }

 private:
  void PlaceAndEmit(int k, double wireOffset);
  void EmitPiece();
  void PieceHeader();
  void WriteBlock(const std::string& block);
  void WriteNumberedBlock(const std::string& block);
  std::string Coords(int row) const;
  std::string Word(double value) const;
  std::string CompensationCode() const;
  double Value(const ElementTable::Column& column, int row) const;

  ElementTable& m_table;
  const PieceLayout& m_layout;
  std::string m_contourPath;
  MessageBox& m_messageBox;
  ProgressLines& m_screen;

  int m_blockCounter = 0;
  mutable bool m_notFinite = false;
  bool m_g92Done = false;
  // Settings of the program being generated.
  NcChannels* m_channels = nullptr;
  double m_outputTarget = 0;
  int m_reverseFlag = 0;
  std::string m_speedBlock;
  double m_side = 2;
};

}  // namespace vx
