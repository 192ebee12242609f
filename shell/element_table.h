// The element table shared by every stage, and its row variables.
#pragma once

#include <array>
#include <utility>

namespace vx {

// One loosely typed table value: empty or a number. Arithmetic sees an empty
// value as 0, as the stages expect.
class Cell {
 public:
  Cell() = default;
  Cell(double value) : m_hasValue(true), m_value(value) {}  // NOLINT: implicit by design
  operator double() const { return m_hasValue ? m_value : 0.0; }  // NOLINT
  bool IsEmpty() const { return !m_hasValue; }
  void Clear() { *this = Cell(); }
  bool operator==(const Cell& other) const {
    return m_hasValue == other.m_hasValue && (!m_hasValue || m_value == other.m_value);
  }
  bool operator!=(const Cell& other) const { return !(*this == other); }

 private:
  bool m_hasValue = false;
  double m_value = 0.0;
};

// Five parallel columns X, Y, Code, P1, P2 of rows 0..2000. Row 0 is never
// stored in a file; a file's count N is at most 1999 so that row N + 1 still
// fits. One object lives for the whole run and is never cleared between stages.
struct ElementTable {
  static constexpr int kLastRow = 2000;
  static constexpr int kMaxCount = 1999;
  static constexpr int kRows = kLastRow + 1;
  using Column = std::array<Cell, kRows>;

  Column X, Y, Code, P1, P2;
  int CurRow = 0;    // walking index; LoadTable and SaveTable leave it at N + 2
  int AuxRow = 0;    // second index, used when rows are moved
  int RowCount = 0;  // the count N: index of the last meaningful row

  // Empties every row and resets the row variables (a fresh program start).
  void Reset() { *this = ElementTable(); }
};

// Exchanges two values of any type.
template <typename T>
void SwapValues(T& a, T& b) {
  std::swap(a, b);
}

}  // namespace vx
