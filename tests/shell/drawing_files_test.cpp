// Drawings told apart by their names, and the recent list.
#include <gtest/gtest.h>

#include "shell/drawing_files.h"

namespace vx {
namespace {

TEST(DrawingKindOf, ByTheExtensionWithoutRegardToCase) {
  struct Case {
    const char* path;
    DrawingKind kind;
  };
  const Case cases[] = {
      {"/a/plate.dxf", DrawingKind::kDxf},   {"C:\\JOB\\PLATE.DXF", DrawingKind::kDxf},
      {"die.igs", DrawingKind::kIges},       {"/x/die.IGES", DrawingKind::kIges},
      {"/x/die.iges.bak", DrawingKind::kNone}, {"/x.dxf/readme", DrawingKind::kNone},
      {"dxf", DrawingKind::kNone},           {"", DrawingKind::kNone},
      {"/x/.dxf", DrawingKind::kDxf},        {"/x/part.ig", DrawingKind::kNone},
  };
  for (const Case& c : cases) EXPECT_EQ(DrawingKindOf(c.path), c.kind) << c.path;
}

TEST(WithRecent, LatestFirstNoDuplicatesAtMostTheLimit) {
  using List = std::vector<std::string>;
  struct Case {
    List before;
    const char* path;
    size_t limit;
    List after;
  };
  const Case cases[] = {
      {{}, "a", 3, {"a"}},
      {{"a", "b"}, "c", 3, {"c", "a", "b"}},
      {{"a", "b", "c"}, "b", 3, {"b", "a", "c"}},  // moved to the front, not repeated
      {{"a", "b", "c"}, "d", 3, {"d", "a", "b"}},  // the oldest falls off
      {{"a", "", "b"}, "c", 8, {"c", "a", "b"}},   // empty entries go
      {{"a", "b"}, "", 8, {"a", "b"}},
  };
  for (const Case& c : cases) EXPECT_EQ(WithRecent(c.before, c.path, c.limit), c.after) << c.path;
}

}  // namespace
}  // namespace vx
