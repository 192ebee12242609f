// The CONV-2 driver: row operations, the three passes, messages and the contour file.
#include <algorithm>
#include <cmath>

#include "contour/conv2.h"
#include "contour/conv2_run.h"
#include "shell/number_text.h"
#include "shell/table_file.h"

namespace vx {

std::string ConstructionMessage(int row, const std::string& reason) {
  return std::string(kConv2MessagePrefix) + SignBlankText(row) + reason;
}

namespace conv2 {

int Sgn(double v) { return v > 0 ? 1 : (v < 0 ? -1 : 0); }

double DirSignOf(double angleDegrees) {
  return angleDegrees > -90 && angleDegrees <= 90 ? -1 : 1;
}

double TravelSignOf(double angleDegrees) {
  // Angles are typed in (-180, 180] or in [0, 360) alike: 300 points to +X
  // as -60 does. The angle is brought into (-180, 180] first.
  double a = std::fmod(angleDegrees, 360.0);
  if (a > 180) a -= 360;
  if (a <= -180) a += 360;
  return DirSignOf(a);
}

int Run::CodeOf(int row) const {
  // The code is a small whole number; a stored fraction is rounded as an
  // integer assignment rounds it, and anything out of range matches no code.
  const double code = RoundHalfEven(Read(T.Code, row), 0);
  if (!(std::fabs(code) <= 32767)) return -1;
  return static_cast<int>(code);
}

void Run::Set(ElementTable::Column ElementTable::*column, int row, double value) {
  if (row < 0 || row > ElementTable::kLastRow) throw Stop{Conv2Status::kOverflow, conv2_reason::kTableFull};
  (T.*column)[row] = value;
}

void Run::InsertRow() {
  // Row RowCount + 1 moves to RowCount + 2, which must still lie in the table.
  if (T.RowCount + 2 > ElementTable::kLastRow) throw Stop{Conv2Status::kOverflow, conv2_reason::kTableFull};
  for (T.AuxRow = T.RowCount + 1; T.AuxRow >= T.CurRow; --T.AuxRow) {
    const int from = T.AuxRow;
    T.X[from + 1] = T.X[from];
    T.Y[from + 1] = T.Y[from];
    T.Code[from + 1] = T.Code[from];
    T.P1[from + 1] = T.P1[from];
    T.P2[from + 1] = T.P2[from];
  }
  ++T.RowCount;
  Set(&ElementTable::Code, T.CurRow, 0);
  Set(&ElementTable::P1, T.CurRow, 0);
  Set(&ElementTable::P2, T.CurRow, 0);
}

void Run::DeleteRow() {
  for (T.AuxRow = T.CurRow; T.AuxRow <= T.RowCount && T.AuxRow + 1 <= ElementTable::kLastRow; ++T.AuxRow) {
    const int to = T.AuxRow;
    if (to < 0) continue;
    T.X[to] = T.X[to + 1];
    T.Y[to] = T.Y[to + 1];
    T.Code[to] = T.Code[to + 1];
    T.P1[to] = T.P1[to + 1];
    T.P2[to] = T.P2[to + 1];
  }
}

void Run::StorePoint() {
  const int row = T.CurRow;
  if (Mode == kLeavingLine || Mode == kParallelLine) {
    DirSign = DirSignOf(P1(row));
    TravelSign = TravelSignOf(P1(row));
  }
  Set(&ElementTable::X, row, CurX);
  Set(&ElementTable::Y, row, CurY);
  Set(&ElementTable::P1, row, 0);
  Set(&ElementTable::Code, row, 0);
  // A leaving line keeps its corner R, which pass 2 makes at this point.
  if (Mode != kLeavingLine) Set(&ElementTable::P2, row, 0);
}

void Run::StoreCentre() {
  const int row = T.CurRow;
  Set(&ElementTable::X, row, CentreX);
  Set(&ElementTable::Y, row, CentreY);
  Set(&ElementTable::Code, row, 0);
  Set(&ElementTable::P1, row, ArcRadius);
  Set(&ElementTable::P2, row, 0);
}

void Run::ReportConstructionError(const char* reason) {
  if (m_quiet) {
    ++m_quietReports;
    return;
  }
  box.Show(ConstructionMessage(T.CurRow, reason));
}

void Run::RotateLines() {
  PrevSlope = CurSlope;
  PrevIntercept = CurIntercept;
  PrevVertical = 0;
  if (CurVertical == 1) {
    PrevVertical = 1;
    CurVertical = 0;
  }
}

namespace {
// Every step leaves CurRow past the row it began at, and RowCount cannot pass
// row 2000 (InsertRow stops the run first), so a pass ends within some 4000
// rounds. The limit makes that a guarantee whatever a file holds.
constexpr int kMostRoundsPerPass = 4 * ElementTable::kRows;
}  // namespace

void Run::CountRound(int& rounds) {
  if (++rounds > kMostRoundsPerPass) throw Stop{Conv2Status::kOverflow, conv2_reason::kTableFull};
}

void Run::PassOneElements() {
  T.CurRow = 1;
  PrevVertical = 0;
  int rounds = 0;
  while (T.CurRow <= T.RowCount) {
    CountRound(rounds);
    Mode = CodeOf(T.CurRow);
    switch (Mode) {
      case kPoint: PointStep(); break;
      case kLeavingLine: LeavingLine(); break;
      case kEnteringLine: EnteringLine(); break;
      case kParallelLine: ParallelLine(); break;
      case kCircle: CircleStep(); break;
      case kCornerItem:
        // A "(C)" item waits for pass 2; the line state passes over it.
        ++T.CurRow;
        continue;
      default: break;
    }
    RotateLines();
    ++T.CurRow;
  }
}

void Run::PassTwoCorners() {
  PassTwo = 1;
  T.CurRow = 1;
  PrevVertical = 0;
  CurVertical = 0;
  CirclePending = 0;
  int rounds = 0;
  while (T.CurRow <= T.RowCount) {
    CountRound(rounds);
    const int i = T.CurRow;
    Mode = CodeOf(i);
    // A corner item deletes a row without lowering the count: the pass ends
    // at the end row instead of running on and overwriting it.
    if (Mode == kEnd) break;
    if (i >= 3 && Mode == kCircle && CornerPending == 1 && P1(i - 2) != 0) {
      CircleCornerCircle();
    } else if ((Mode == kPoint && P1(i) == 0) || EndPointCornerLeft(i)) {
      PointStep();
    } else if (Mode == kCornerItem) {
      CornerPending = 1;
      ++T.CurRow;
      continue;
    }
    RotateLines();
    ++T.CurRow;
  }
  PassTwo = 0;
}

bool Run::EndPointCornerLeft(int row) const {
  if (CodeOf(row) != kEnteringLine || P1(row) != 0 || P2(row) == 0) return false;
  const std::array<double, 3> corner{X(row), Y(row), P2(row)};
  return std::find(RefusedCorners.begin(), RefusedCorners.end(), corner) == RefusedCorners.end();
}

void Run::PassThreeCleanUp() {
  // CurRow moves on by one every round and RowCount does not grow.
  T.CurRow = 1;
  while (T.CurRow < T.RowCount + 3) {
    const int i = T.CurRow;
    if (CodeOf(i) == kEnd) {
      --T.CurRow;
      break;
    }
    // Equal as numbers: an empty value equals 0.
    if (X(i) == X(i + 1) && Y(i) == Y(i + 1) && Read(T.Code, i) == Read(T.Code, i + 1) &&
        P1(i) == P1(i + 1) && P2(i) == P2(i + 1)) {
      DeleteRow();
    }
    ++T.CurRow;
  }
  T.RowCount = T.CurRow;
}

namespace {

// The first row (1..N + 1) holding a value that is not a finite number, or 0.
int FirstNonFiniteRow(const ElementTable& table) {
  const int last = std::min(table.RowCount + 1, ElementTable::kLastRow);
  for (int row = 1; row <= last; ++row) {
    for (const auto* column : {&table.X, &table.Y, &table.Code, &table.P1, &table.P2}) {
      if (!std::isfinite(static_cast<double>((*column)[row]))) return row;
    }
  }
  return 0;
}

}  // namespace
}  // namespace conv2

Conv2Status ConvertElements(ElementTable& table, MessageBox& box) {
  conv2::Run run(table, box);
  try {
    run.PassOneElements();
    run.PassTwoCorners();
    run.PassThreeCleanUp();
  } catch (const conv2::Stop& stop) {
    run.ReportConstructionError(stop.reason);
    return stop.status;
  }
  if (table.RowCount > ElementTable::kMaxCount) {
    box.Show(ConstructionMessage(table.RowCount, conv2_reason::kTableFull));
    return Conv2Status::kOverflow;
  }
  if (const int row = conv2::FirstNonFiniteRow(table)) {
    box.Show(ConstructionMessage(row, conv2_reason::kNotANumber));
    return Conv2Status::kNotFinite;
  }
  return Conv2Status::kOk;
}

Conv2Status RunConv2(ElementTable& table, const InstallFolder& folder, MessageBox& box) {
  const LoadStatus loaded = LoadTable(table, folder.PathOf(kElementFile));
  if (loaded == LoadStatus::kMissing) {
    box.Show(std::string("CONV-2 エラー ") + kElementFile + " がありません");
    return Conv2Status::kMissingInput;
  }
  if (loaded != LoadStatus::kOk) {
    box.Show(std::string("CONV-2 エラー ") + kElementFile + " が正しくありません");
    return Conv2Status::kBadInput;
  }
  const Conv2Status status = ConvertElements(table, box);
  if (status != Conv2Status::kOk) return status;
  if (!SaveTable(table, folder.PathOf(kContourFile))) {
    box.Show(std::string("CONV-2 エラー ") + kContourFile + " に書き込めません");
    return Conv2Status::kWriteFailed;
  }
  return Conv2Status::kOk;
}

}  // namespace vx
