// CONV-2 on element files from bytes: the run ends, and a contour it reports
// as made has a count within the table, only finite values, and a file text
// that reads back to the same table.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "contour/conv2.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_input.h"
#include "platform/message_box.h"
#include "shell/table_file.h"

namespace {

// The construction messages name rows, never a value that is not a number.
class CheckingBox : public vx::MessageBox {
 public:
  void Show(const std::string& text) override {
    vx::fuzz::Check(vx::fuzz::HasNoNonFinite(text), "no NaN or infinity in a message");
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vx;
  const fuzz::StageInput input = fuzz::SplitStageInput(data, size);
  ElementTable table;
  if (LoadTableText(table, input.tableText) != LoadStatus::kOk) return 0;
  CheckingBox box;
  const Conv2Status status = ConvertElements(table, box);
  if (status != Conv2Status::kOk) return 0;
  fuzz::Check(table.RowCount >= 0 && table.RowCount <= ElementTable::kMaxCount, "the count fits the table");
  for (int r = 1; r <= table.RowCount + 1; ++r) {
    for (const auto* column : {&table.X, &table.Y, &table.Code, &table.P1, &table.P2}) {
      fuzz::Check(std::isfinite(static_cast<double>((*column)[static_cast<size_t>(r)])), "every value is finite");
    }
  }
  fuzz::CheckTableReadsBack(table);
  return 0;
}
