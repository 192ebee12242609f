// The wire-centre path at a given offset from the contour in the element table.
#include "machining/offset_path.h"

namespace vx {

void ComputeOffsetPath(ElementTable& table, double offset, MessageBox& box) {
  // Not built yet: the table stays the contour.
  (void)table;
  (void)offset;
  (void)box;
}

}  // namespace vx
