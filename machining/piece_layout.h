// The ten piece rows of the multi-piece layout: texts as typed, shared by the
// layout screen, the contour view and the NC generation.
#pragma once

#include <array>
#include <string>

namespace vx {

struct PieceRow {
  std::string sftX;    // shift in X (mm)
  std::string sftY;    // shift in Y (mm)
  std::string kAngle;  // rotation about the origin, degrees, counter-clockwise positive
  std::string mirX;    // "1" mirror in X, "2" mirror in Y, anything else none
};

class PieceLayout {
 public:
  static constexpr int kPieces = 10;

  PieceLayout() { Reset(); }

  // Every row empty, then row 0 shifted by "0", "0": one untransformed piece.
  void Reset() {
    for (PieceRow& row : m_rows) row = PieceRow{};
    m_rows[0].sftX = "0";
    m_rows[0].sftY = "0";
  }

  PieceRow& Row(int k) { return m_rows.at(static_cast<size_t>(k)); }
  const PieceRow& Row(int k) const { return m_rows.at(static_cast<size_t>(k)); }

  // A row is in use when its X shift, angle or mirror text is not empty (the
  // Y shift alone does not count).
  bool InUse(int k) const {
    const PieceRow& row = Row(k);
    return !row.sftX.empty() || !row.kAngle.empty() || !row.mirX.empty();
  }

  // Pieces 0, 1, ... up to the first row not in use.
  int PiecesInUse() const {
    int count = 0;
    while (count < kPieces && InUse(count)) ++count;
    return count;
  }

 private:
  std::array<PieceRow, kPieces> m_rows;
};

}  // namespace vx
