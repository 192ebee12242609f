// Arc fitting of ellipses and B-splines, judged by distance to the true curve both ways.
#include "exchange/curve_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace vx {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTolerance = 0.001;

// A point along an entity at fraction u of its length (sweep for arcs).
CurveVec PointOn(const Entity& e, double u) {
  if (e.R == 0) return {e.X1 + (e.X2 - e.X1) * u, e.Y1 + (e.Y2 - e.Y1) * u};
  const double a0 = std::atan2(e.Y1 - e.CY, e.X1 - e.CX);
  double sweep = std::atan2(e.Y2 - e.CY, e.X2 - e.CX) - a0;
  if (e.R > 0 && sweep <= 0) sweep += 2 * kPi;
  if (e.R < 0 && sweep >= 0) sweep -= 2 * kPi;
  const double a = a0 + sweep * u;
  return {e.CX + std::fabs(e.R) * std::cos(a), e.CY + std::fabs(e.R) * std::sin(a)};
}

double Dist(CurveVec a, CurveVec b) { return std::hypot(a.x - b.x, a.y - b.y); }

// Unit direction of travel at the start (u = 0) or end (u = 1) of an entity.
CurveVec DirectionAt(const Entity& e, double u) {
  const CurveVec a = PointOn(e, u), b = PointOn(e, u == 0 ? 1e-6 : 1 - 1e-6);
  const double len = Dist(a, b);
  return u == 0 ? CurveVec{(b.x - a.x) / len, (b.y - a.y) / len} : CurveVec{(a.x - b.x) / len, (a.y - b.y) / len};
}

// Distance from q to the curve, on a dense polyline of it.
double DistanceToCurve(const std::vector<CurveVec>& dense, CurveVec q) {
  double best = 1e300;
  for (size_t i = 0; i + 1 < dense.size(); ++i) {
    const CurveVec a = dense[i], b = dense[i + 1];
    const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
    double u = len2 > 0 ? ((q.x - a.x) * dx + (q.y - a.y) * dy) / len2 : 0;
    u = std::fmax(0, std::fmin(1, u));
    best = std::fmin(best, Dist(q, {a.x + dx * u, a.y + dy * u}));
  }
  return best;
}

// Distance from q to an entity: to the segment, or to the arc where q lies
// within its sweep (else to the nearer end).
double DistanceToEntity(const Entity& e, CurveVec q) {
  const CurveVec a{e.X1, e.Y1}, b{e.X2, e.Y2};
  const double ends = std::fmin(Dist(q, a), Dist(q, b));
  if (e.R == 0) {
    const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
    if (len2 == 0) return ends;
    const double u = std::fmax(0, std::fmin(1, ((q.x - a.x) * dx + (q.y - a.y) * dy) / len2));
    return Dist(q, {a.x + dx * u, a.y + dy * u});
  }
  auto turned = [&](CurveVec p) {  // angle from the start, in the arc's direction, in [0, 2π)
    double angle = std::atan2(p.y - e.CY, p.x - e.CX) - std::atan2(e.Y1 - e.CY, e.X1 - e.CX);
    if (e.R < 0) angle = -angle;
    while (angle < 0) angle += 2 * kPi;
    while (angle >= 2 * kPi) angle -= 2 * kPi;
    return angle;
  };
  if (turned(q) <= turned(b)) return std::fabs(Dist(q, {e.CX, e.CY}) - std::fabs(e.R));
  return ends;
}

double DistanceToFit(const std::vector<Entity>& fit, CurveVec q) {
  double best = 1e300;
  for (const Entity& e : fit) best = std::fmin(best, DistanceToEntity(e, q));
  return best;
}

struct Case {
  std::string name;
  ParametricCurve curve;
  int maxArcs;  // an upper bound the fit should keep to
};

std::ostream& operator<<(std::ostream& os, const Case& c) { return os << c.name; }

std::vector<Case> Cases() {
  std::vector<Case> cases;
  cases.push_back({"full_circle", EllipseCurve({10, 20}, {25, 0}, 1.0, 0, 2 * kPi), 8});
  cases.push_back({"full_ellipse", EllipseCurve({0, 0}, {50, 0}, 0.5, 0, 2 * kPi), 84});
  cases.push_back({"turned_ellipse_arc", EllipseCurve({-5, 7}, {12, 9}, 0.3, 0.4, 4.0), 40});
  cases.push_back({"flat_ellipse", EllipseCurve({0, 0}, {100, 0}, 0.02, 0, kPi), 60});
  // A quarter circle as a rational quadratic: a true arc, so one or two arcs do.
  cases.push_back({"rational_quarter_circle",
                   BSplineCurve(2, {0, 0, 0, 1, 1, 1}, {{10, 0}, {10, 10}, {0, 10}}, {1, std::sqrt(0.5), 1}), 2});
  cases.push_back({"cubic_s_curve",
                   BSplineCurve(3, {0, 0, 0, 0, 1, 1, 1, 1}, {{0, 0}, {30, 40}, {60, -40}, {90, 0}}, {}), 48});
  cases.push_back({"quadratic_with_inner_knots",
                   BSplineCurve(2, {0, 0, 0, 1, 2, 3, 3, 3}, {{0, 0}, {10, 20}, {20, 0}, {30, 20}, {40, 0}}, {}), 64});
  // A repeated inner knot: a corner at (20, 0) that must stay a corner.
  cases.push_back({"cubic_with_corner",
                   BSplineCurve(3, {0, 0, 0, 0, 1, 1, 1, 2, 2, 2, 2},
                                {{0, 0}, {5, 10}, {15, 10}, {20, 0}, {25, 10}, {35, 10}, {40, 0}}, {}),
                   40});
  cases.push_back({"straight_cubic",
                   BSplineCurve(3, {0, 0, 0, 0, 1, 1, 1, 1}, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}, {}), 1});
  return cases;
}

class CurveFitTest : public ::testing::TestWithParam<Case> {};

TEST_P(CurveFitTest, StaysWithinTheToleranceBothWaysAndJoinsSmoothly) {
  const Case& c = GetParam();
  ASSERT_TRUE(c.curve.at);
  std::vector<Entity> fit;
  const CurveFitResult result = FitArcs(c.curve, kTolerance, fit, 1000);
  ASSERT_TRUE(result.ok);
  ASSERT_EQ(result.arcCount, static_cast<int>(fit.size()));
  ASSERT_FALSE(fit.empty());
  EXPECT_LE(result.arcCount, c.maxArcs);

  std::vector<CurveVec> dense;
  for (int i = 0; i <= 6000; ++i) dense.push_back(c.curve.at(c.curve.t0 + (c.curve.t1 - c.curve.t0) * i / 6000).point);
  EXPECT_EQ(fit.front().X1, dense.front().x);
  EXPECT_EQ(fit.front().Y1, dense.front().y);
  EXPECT_NEAR(fit.back().X2, dense.back().x, 1e-12);
  EXPECT_NEAR(fit.back().Y2, dense.back().y, 1e-12);

  double worstToCurve = 0;
  size_t kinks = 0;
  for (size_t i = 0; i < fit.size(); ++i) {
    const Entity& e = fit[i];
    if (i > 0) {
      EXPECT_EQ(e.X1, fit[i - 1].X2);
      EXPECT_EQ(e.Y1, fit[i - 1].Y2);
      const CurveVec u = DirectionAt(fit[i - 1], 1), w = DirectionAt(e, 0);
      if (std::fabs(u.x * w.y - u.y * w.x) > 1e-3 || u.x * w.x + u.y * w.y < 0) ++kinks;
    }
    if (e.R != 0) {
      EXPECT_NEAR(std::hypot(e.X1 - e.CX, e.Y1 - e.CY), std::fabs(e.R), 1e-6) << "arc " << i;
      EXPECT_NEAR(std::hypot(e.X2 - e.CX, e.Y2 - e.CY), std::fabs(e.R), 1e-6) << "arc " << i;
    }
    for (int k = 0; k <= 20; ++k) worstToCurve = std::fmax(worstToCurve, DistanceToCurve(dense, PointOn(e, k / 20.0)));
  }
  EXPECT_LE(worstToCurve, kTolerance);
  EXPECT_EQ(kinks, c.curve.breaks.size()) << "the fit turns smoothly except at the curve's own corners";

  double worstToFit = 0;
  for (size_t i = 0; i < dense.size(); i += 7) worstToFit = std::fmax(worstToFit, DistanceToFit(fit, dense[i]));
  EXPECT_LE(worstToFit, kTolerance);
}

INSTANTIATE_TEST_SUITE_P(Curves, CurveFitTest, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<Case>& info) { return info.param.name; });

TEST(CurveFit, TurnsInTheCurvesDirection) {
  std::vector<Entity> ccw, cw;
  ASSERT_TRUE(FitArcs(EllipseCurve({0, 0}, {10, 0}, 1.0, 0, kPi), kTolerance, ccw, 100).ok);
  // The same half circle travelled the other way: a major axis turned half round
  // and the ratio sign kept; its points are mirrored, so the fit turns clockwise.
  ASSERT_TRUE(FitArcs(BSplineCurve(2, {0, 0, 0, 1, 1, 1}, {{10, 0}, {10, -10}, {0, -10}}, {1, std::sqrt(0.5), 1}),
                      kTolerance, cw, 100)
                  .ok);
  for (const Entity& e : ccw) EXPECT_GT(e.R, 0);
  for (const Entity& e : cw) EXPECT_LT(e.R, 0);
}

// A cubic of uneven knots whose first and third control points coincide
// (found by fuzzing) turns straight back on itself near (2.983, 0.0005): a
// cusp, where no arc follows the curve. The stretch about the tip is smaller
// than the tolerance and becomes one short line, so the fit takes a dozen
// pieces instead of creeping up to the tip with over a hundred ever shorter
// ones, and stays within the tolerance both ways.
TEST(CurveFit, ACuspOfCoincidentControlPointsTakesFewPieces) {
  const ParametricCurve curve =
      BSplineCurve(3, {0, 2, 2, 3, 4, 5, 9, 10}, {{0, 0}, {5, 0}, {0, 0}, {5, 5}}, {});
  ASSERT_TRUE(curve.at);
  std::vector<Entity> fit;
  const CurveFitResult result = FitArcs(curve, kTolerance, fit, 1000);
  ASSERT_TRUE(result.ok);
  EXPECT_LE(result.arcCount, 12);
  std::vector<CurveVec> dense;
  for (int i = 0; i <= 20000; ++i) dense.push_back(curve.at(curve.t0 + (curve.t1 - curve.t0) * i / 20000).point);
  double worstToCurve = 0, worstToFit = 0;
  for (const Entity& e : fit) {
    for (int k = 0; k <= 20; ++k) worstToCurve = std::fmax(worstToCurve, DistanceToCurve(dense, PointOn(e, k / 20.0)));
  }
  for (const CurveVec& q : dense) worstToFit = std::fmax(worstToFit, DistanceToFit(fit, q));
  EXPECT_LE(worstToCurve, kTolerance);
  EXPECT_LE(worstToFit, kTolerance);
}

TEST(CurveFit, TooManyArcsLeavesTheListAsItWas) {
  std::vector<Entity> fit(3);
  const CurveFitResult result = FitArcs(EllipseCurve({0, 0}, {100, 0}, 0.1, 0, 2 * kPi), kTolerance, fit, 2);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(fit.size(), 3u);
}

// A spline given by fit points: points of the interpolating cubic at some
// parameters, as ezdxf's fit_points_to_cad_cv (the CAD systems' construction)
// computes them for the same fit points, with estimated and with given end
// tangents.
TEST(CurveFit, FitPointsGiveTheCubicCadSystemsDraw) {
  struct Case {
    const char* name;
    std::vector<CurveVec> fit;
    std::vector<CurveVec> tangents;  // none, or start and end
    std::vector<std::pair<double, CurveVec>> points;
  };
  const std::vector<Case> cases = {
      {"estimated end tangents",
       {{0, 0}, {10, 10}, {20, 0}, {30, 5}},
       {},
       {{0.1, {2.24067631581, 3.85864154347}},
        {0.3, {8.25598192506, 9.82054940859}},
        {0.5, {13.7619005351, 6.60360717192}},
        {0.7, {19.4296131712, 0.224951264562}},
        {0.95, {28.5925814669, 3.46316153726}}}},
      {"given end tangents",
       {{0, 0}, {10, 10}, {20, 0}},
       {{1, 0}, {0, -1}},
       {{0.1, {2.48333044483, 0.92686291501}},
        {0.3, {6.18676190233, 5.97088311755}},
        {0.5, {10, 10}},
        {0.7, {15.1708831175, 8.34676190233}},
        {0.95, {19.8231801948, 1.45733279068}}}},
  };
  for (const Case& c : cases) {
    const bool given = !c.tangents.empty();
    const ParametricCurve curve =
        FitPointCurve(c.fit, given ? &c.tangents[0] : nullptr, given ? &c.tangents[1] : nullptr);
    ASSERT_TRUE(curve.at) << c.name;
    EXPECT_EQ(curve.t0, 0) << c.name;
    EXPECT_EQ(curve.t1, 1) << c.name;
    for (const auto& [u, want] : c.points) {
      const CurveVec got = curve.at(u).point;
      EXPECT_NEAR(got.x, want.x, 1e-9) << c.name << " at " << u;
      EXPECT_NEAR(got.y, want.y, 1e-9) << c.name << " at " << u;
    }
    EXPECT_NEAR(Dist(curve.at(1).point, c.fit.back()), 0, 1e-12) << c.name;
  }
  const CurveVec right{1, 0};
  EXPECT_FALSE(FitPointCurve({{0, 0}, {5, 5}}, nullptr, nullptr).at);          // two points, no tangents
  EXPECT_TRUE(FitPointCurve({{0, 0}, {5, 5}}, &right, &right).at);             // two points and tangents
  EXPECT_FALSE(FitPointCurve({{0, 0}, {5, 5}, {5, 5}, {9, 0}}, nullptr, nullptr).at);  // a point repeated
  const CurveVec none{0, 0};
  EXPECT_FALSE(FitPointCurve({{0, 0}, {5, 5}, {9, 0}}, &none, &right).at);     // a zero tangent
  // Points in line: the estimate counts both chords alike, and the cubic is the line.
  const ParametricCurve line = FitPointCurve({{0, 0}, {5, 0}, {12, 0}}, nullptr, nullptr);
  ASSERT_TRUE(line.at);
  for (double u : {0.2, 0.5, 0.8}) EXPECT_NEAR(line.at(u).point.y, 0, 1e-12);
  EXPECT_EQ(UniformClampedKnots(5, 2), (std::vector<double>{0, 0, 0, 1, 2, 3, 3, 3}));
  EXPECT_TRUE(UniformClampedKnots(2, 2).empty());
}

TEST(CurveFit, InvalidCurveDataGiveNoCurve) {
  EXPECT_FALSE(BSplineCurve(3, {0, 0, 0, 1, 1, 1}, {{0, 0}, {1, 1}, {2, 0}}, {}).at);          // too few knots
  EXPECT_FALSE(BSplineCurve(2, {0, 0, 0, 1, 0.5, 1}, {{0, 0}, {1, 1}, {2, 0}}, {}).at);        // knots descend
  EXPECT_FALSE(BSplineCurve(2, {0, 0, 0, 1, 1, 1}, {{0, 0}, {1, 1}, {2, 0}}, {1, 0, 1}).at);   // zero weight
  EXPECT_FALSE(BSplineCurve(2, {0, 0, 0, 0, 0, 0}, {{0, 0}, {1, 1}, {2, 0}}, {}).at);          // no span
  EXPECT_FALSE(BSplineCurve(2, {0, 0, 0, 1, 1, 1}, {{0, 0}, {NAN, 1}, {2, 0}}, {}).at);        // not a number
  EXPECT_FALSE(EllipseCurve({0, 0}, {0, 0}, 0.5, 0, 1).at);                                   // no axis
  EXPECT_FALSE(EllipseCurve({0, 0}, {1, 0}, 0.5, 1, 1).at);                                   // no sweep
}

}  // namespace
}  // namespace vx
