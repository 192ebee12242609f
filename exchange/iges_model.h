// The middle layer of the IGES reader: the global section's delimiters and
// units, the directory entries and the parameter lists, as plain structs.
#pragma once

#include <string>
#include <vector>

#include "exchange/entity_list.h"
#include "exchange/iges_records.h"

namespace vx {

// Directory status digits (columns 65-72 of an entry's first line, two each).
struct IgesStatus {
  int blank = 0;        // 0 visible, 1 blanked
  int subordinate = 0;  // 0 independent, 1 physically dependent, 2 logically, 3 both
  int use = 0;          // 0 geometry, 1 annotation, 2 definition, 3 other, 4 logical, 5 parameter space, 6 construction
  int hierarchy = 0;
};

constexpr int kIgesUseAnnotation = 1;
constexpr int kIgesUseParameterSpace = 5;

// One directory entry (two D records).
struct IgesEntry {
  long pointer = 0;         // sequence number of its first D record: 1, 3, 5, ...
  long type = 0;            // entity type number
  long parameterStart = 0;  // sequence number of its first P record
  long parameterLines = 0;  // P record count
  long lineFont = 0;        // 0 none given, 1 solid, 2.. dashed and others; negative: a definition entry
  long matrix = 0;          // pointer to a transformation matrix entry (124), 0 for none
  long form = 0;
  IgesStatus status;
  bool readable = true;  // type, pointers, font and form are numbers

  bool PhysicallyDependent() const { return status.subordinate == 1 || status.subordinate == 3; }
};

// The parameters of one entity's record, tokens[0] being its type number.
struct IgesParams {
  std::vector<IgesToken> tokens;

  bool Has(size_t index) const { return index < tokens.size(); }
  // The record starts with the entity type the directory names.
  bool IsType(long type) const;
  // A parameter that is present and a number (empty: 0).
  bool Real(size_t index, double& value) const;
  // A parameter that may be left out at the end of the record (or empty):
  // then it is defaultValue.
  bool RealOr(size_t index, double defaultValue, double& value) const;
  // A whole number (empty: 0); pointers are whole numbers too.
  bool Integer(size_t index, long& value) const;
};

struct IgesModel {
  char parameterDelimiter = ',';
  char recordDelimiter = ';';
  double mmPerUnit = 1;     // model units of the global section, in millimetres
  std::string unitName;     // the unit as the file names it ("MM", "INCH", ...), empty when not given
  std::vector<IgesEntry> entries;  // entries[k].pointer == 2k + 1
  std::vector<std::string> parameterData;  // columns 1-64 of each P record
  std::vector<long> parameterOwner;        // columns 65-72 of each P record (-1 when not a number)

  // The entry with that directory pointer, or null when there is none.
  const IgesEntry* Entry(long pointer) const;

  // The parameters of an entry's record (the entity type first). False when
  // its P records are missing or the text does not tokenize.
  bool Parameters(const IgesEntry& entry, IgesParams& out) const;
};

// The millimetres of one model unit from the global section's unit flag and
// unit name (flag 3, or no flag: the name decides; neither: millimetres).
// False for a unit it does not know.
bool IgesUnitScale(const IgesToken& flag, const IgesToken& name, double& mmPerUnit);

// Decodes file text into the model: records, global section, directory.
// Stops on a file that is not fixed-column ASCII IGES, on the compressed
// form, on a malformed global section and on an unknown unit.
ExchangeResult DecodeIges(const std::string& text, IgesModel& model);

}  // namespace vx
