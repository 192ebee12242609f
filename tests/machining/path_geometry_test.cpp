// Where two elements of the wire path meet: crossings, touching points, gaps
// within the slack, and elements that do not meet.
#include <gtest/gtest.h>

#include <string>

#include "machining/path_geometry.h"

namespace vx {
namespace {

struct MeetCase {
  const char* name;
  PathElement a, b;
  double slack;
  int count;
  Vec2 expected;  // the first point, when count > 0
};

std::ostream& operator<<(std::ostream& out, const MeetCase& c) { return out << c.name; }

class MeetCases : public ::testing::TestWithParam<MeetCase> {};

TEST_P(MeetCases, PointsLieOnBothElements) {
  const MeetCase& c = GetParam();
  const Meeting m = Meet(c.a, c.b, {0, 0}, c.slack);
  ASSERT_EQ(m.count, c.count);
  for (int k = 0; k < m.count; ++k) {
    // Checked against the elements' own definitions, not through DistanceTo.
    for (const PathElement* e : {&c.a, &c.b}) {
      const Vec2 p = m.points[k];
      const double off = e->circle ? std::fabs(std::hypot(p.x - e->centre.x, p.y - e->centre.y) - e->radius)
                                   : std::fabs((p.x - e->point.x) * e->direction.y - (p.y - e->point.y) * e->direction.x);
      EXPECT_LE(off, c.slack + 1e-12) << "point " << k;
    }
  }
  if (c.count > 0) {
    EXPECT_NEAR(m.points[0].x, c.expected.x, 1e-12);
    EXPECT_NEAR(m.points[0].y, c.expected.y, 1e-12);
  }
}

const PathElement kXAxis = LineElement({-5, 0}, {1, 0});
const PathElement kUnitCircle = CircleElement({0, 0}, 1);

INSTANTIATE_TEST_SUITE_P(
    Cases, MeetCases,
    ::testing::Values(
        MeetCase{"LinesCross", kXAxis, LineElement({2, -1}, {0, 3}), 0, 1, {2, 0}},
        MeetCase{"ParallelLinesApart", kXAxis, LineElement({0, 0.1}, {-1, 0}), 0.0005, 0, {}},
        MeetCase{"LinesOnEachOther", kXAxis, LineElement({7, 0.0002}, {-2, 0}), 0.0005, 1, {0, 0.0001}},
        MeetCase{"LineThroughCircle", LineElement({0, 0.6}, {1, 0}), kUnitCircle, 0, 2, {0.8, 0.6}},
        MeetCase{"LineTouchesCircle", LineElement({3, 1}, {-1, 0}), kUnitCircle, 0, 1, {0, 1}},
        MeetCase{"LineMissesWithinSlack", LineElement({0, 1.0008}, {1, 0}), kUnitCircle, 0.0005, 1, {0, 1.0004}},
        MeetCase{"LineMisses", LineElement({0, 1.1}, {1, 0}), kUnitCircle, 0.0005, 0, {}},
        MeetCase{"CircleThenLine", kUnitCircle, LineElement({0.6, 5}, {0, -1}), 0, 2, {0.6, -0.8}},
        MeetCase{"CirclesCross", kUnitCircle, CircleElement({1, 0}, 1), 0, 2, {0.5, 0.8660254037844386}},
        MeetCase{"CirclesApartWithinSlack", kUnitCircle, CircleElement({2.0006, 0}, 1), 0.0005, 1, {1.0003, 0}},
        MeetCase{"CircleInsideWithinSlack", kUnitCircle, CircleElement({0.2, 0}, 0.7996), 0.0005, 1,
                 {0.9998, 0}},
        MeetCase{"CirclesApart", kUnitCircle, CircleElement({3, 0}, 1), 0.0005, 0, {}},
        MeetCase{"ConcentricDifferentRadii", kUnitCircle, CircleElement({0, 0}, 1.5), 0.0005, 0, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Meet, OneCircleTwiceMeetsBesideTheReferencePoint) {
  const Meeting m = Meet(CircleElement({1, 1}, 2), CircleElement({1, 1}, 2), {1, 5}, 0.0005);
  ASSERT_EQ(m.count, 1);
  EXPECT_NEAR(m.points[0].x, 1, 1e-12);
  EXPECT_NEAR(m.points[0].y, 3, 1e-12);
}

}  // namespace
}  // namespace vx
