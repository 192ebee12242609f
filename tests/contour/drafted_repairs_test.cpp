// Element lists a sweep of drafted outlines found drawn wrong: each converts to the outline it describes.
#include <gtest/gtest.h>

#include "drafting_judge.h"

namespace vx::drafting {
namespace {

const Element kEnd{0, 0, 99, 0, 0};
Piece Segment(Pt a, Pt b) { return {false, a, b, {}, 0, 0, 0}; }
Piece Arc(Pt a, Pt b, Pt c, double r) { return {true, a, b, c, r, 0, 0}; }

// A valid list and the outline it was typed from (corners made, computed
// from the typed values by the sweep's own geometry).
struct Drawing {
  const char* name;
  std::vector<Element> list;
  std::vector<Piece> outline;
};
std::ostream& operator<<(std::ostream& out, const Drawing& d) { return out << d.name; }

class DraftedRepairs : public ::testing::TestWithParam<Drawing> {};

TEST_P(DraftedRepairs, ConvertToTheirOutlineWithoutAMessage) {
  const Drawing& d = GetParam();
  EXPECT_EQ(JudgeDrawing(d.list, {d.outline}, {}), "");
}

INSTANTIATE_TEST_SUITE_P(
    Conv2, DraftedRepairs,
    ::testing::Values<Drawing>(
        Drawing{"EnteringLineAlongThePointsSegmentIsNoParallelLine",
     {{-3.399, -18.635, 0, 0, 0}, {16.87, 1.634, 0, 0, 2.496}, {43.864, 1.634, 2, 0, 0}, {-3.399, -18.635, 0, 0, 0}, kEnd},
     {Segment({-3.399, -18.635}, {16.13893853, 0.9029385258}), Arc({16.13893853, 0.9029385258}, {17.90387705, 1.634}, {17.90387705, -0.862}, -2.496), Segment({17.90387705, 1.634}, {43.864, 1.634}), Segment({43.864, 1.634}, {-3.399, -18.635})}},
        Drawing{"CornerAtAnEnteringLineTypedAlongItsSegment",
     {{-29.38, -50.573, 0, 0, 0}, {0.699, -57.909, 2, -13.706, 0}, {-12.28, -70.888, 2, 225, 2.731}, {-29.38, -50.573, 0, 0, 0}, kEnd},
     {Segment({-29.38, -50.573}, {0.699, -57.909}), Segment({0.699, -57.909}, {-10.17583869, -68.78383869}), Arc({-10.17583869, -68.78383869}, {-14.19629313, -68.61142135}, {-12.10694731, -66.85273007}, -2.731), Segment({-14.19629313, -68.61142135}, {-29.38, -50.573})}},
        Drawing{"VerticalEnteringLineAfterAVerticalStepKeepsThePoint",
     {{14.502, -46.782, 0, 0, 0}, {14.502, -15.077, 2, 90, 0}, {20.456, -2.918, 8, -10.649, 1.5}, {14.502, -46.782, 0, 0, 0}, kEnd},
     {Segment({14.502, -46.782}, {14.502, -15.077}), Segment({14.502, -15.077}, {10.86658036, -7.548791713}), Arc({10.86658036, -7.548791713}, {30.35376736, -6.846791444}, {20.456, -2.918}, -10.649), Segment({30.35376736, -6.846791444}, {14.502, -46.782})}},
        Drawing{"EnteringLinesCornerBeforeACircleIsMade",
     {{18.123, -2.503, 0, 0, 0}, {7.668, 21.976, 2, 113.127, 1.284}, {-7.388, -1.901, 8, 4.592, 1.5}, {-8.669, 22.346, 1, 103.925, 0}, {18.123, -2.503, 2, -46.755, 0}, kEnd},
     {Segment({18.123, -2.503}, {8.46385768, 20.11260448}), Arc({8.46385768, 20.11260448}, {6.322822285, 20.46070161}, {7.28304762, 19.60827958}, 1.284), Segment({6.322822285, 20.46070161}, {-10.8220769, 1.147537329}), Arc({-10.8220769, 1.147537329}, {-2.930964403, -0.7958766198}, {-7.388, -1.901}, 4.592), Segment({-2.930964403, -0.7958766198}, {-9.893463586, 27.28458611}), Segment({-9.893463586, 27.28458611}, {18.123, -2.503})}},
        Drawing{"LineAt270EntersItsCircleOnIt",
     {{51.972, 49.367, 1, 270, 0}, {46.611, 21.775, 8, 8.863, 2}, {51.972, 49.367, 0, 0, 0}, kEnd},
     {Segment({51.972, 49.367}, {51.972, 14.71720658}), Arc({51.972, 14.71720658}, {55.40048408, 22.91418327}, {46.611, 21.775}, 8.863), Segment({55.40048408, 22.91418327}, {51.972, 49.367})}},
        Drawing{"LinePast270EntersAtTheMarkedCrossing",
     {{-7.84, -72.654, 1, 5.526, 0}, {22.13, -69.755, 1, 283.551, 0}, {30.278, -92.559, 8, 13.508, 1}, {-7.84, -72.654, 0, 0, 0}, kEnd},
     {Segment({-7.84, -72.654}, {22.12988002, -69.75450219}), Segment({22.12988002, -69.75450219}, {30.87871123, -106.0536363}), Arc({30.87871123, -106.0536363}, {32.45289559, -79.22723743}, {30.278, -92.559}, 13.508), Segment({32.45289559, -79.22723743}, {-7.84, -72.654})}},
        Drawing{"TangentTypedToThreeDecimalsIsNoMiss",
     {{66.738, -57.204, 1, -135, 0}, {57.184, -89.369, 8, 15.988, 0}, {66.738, -57.204, 0, 0, 0}, kEnd},
     {Segment({66.738, -57.204}, {45.8785, -78.0635}), Arc({45.8785, -78.0635}, {72.82764498, -86.06861884}, {57.184, -89.369}, 15.988), Segment({72.82764498, -86.06861884}, {66.738, -57.204})}},
        Drawing{"ItemCornerOntoALinePast270",
     {{73.582, 57.477, 1, 289.202, 0}, {87.398, 29.23, 8, -19.399, -3}, {0, 0, 5, 0, 1.356}, {110.81, 11.685, 2, -22.283, 0}, {73.582, 57.477, 0, 0, 0}, kEnd},
     {Segment({73.582, 57.477}, {77.59056976, 45.96724927}), Arc({77.59056976, 45.96724927}, {102.4545999, 16.99807459}, {87.398, 29.23}, -19.399), Arc({102.4545999, 16.99807459}, {102.9928937, 14.88831977}, {103.507064, 16.14305676}, 1.356), Segment({102.9928937, 14.88831977}, {110.81, 11.685}), Segment({110.81, 11.685}, {73.582, 57.477})}},
        Drawing{"CirclesTouchingAfterALineAt270",
     {{-61.755, 14.952, 1, 270, 0}, {-48.094, -16.46, 8, 16.544, 3}, {-17.615, -16.46, 8, -13.935, 3}, {-61.755, 14.952, 0, 0, 0}, kEnd},
     {Segment({-61.755, 14.952}, {-61.755, -25.7917209}), Arc({-61.755, -25.7917209}, {-31.55, -16.46}, {-48.094, -16.46}, 16.544), Arc({-31.55, -16.46}, {-28.3431554, -25.35330684}, {-17.615, -16.46}, -13.935), Segment({-28.3431554, -25.35330684}, {-61.755, 14.952})}},
        Drawing{"LineOnACirclesTangentKeepsItsDirectionIntoTheNextCircle",
     {{-68.299, -29.399, 0, 0, 0}, {0, 0, 5, 0, 1.04}, {-53.636, -44.062, 8, 9.012, 1.5}, {-86.969, -40.179, 1, -171.067, 0}, {-126.3, -45.395, 8, -7.003, -1.5}, {-68.299, -29.399, 0, 0, 0}, kEnd},
     {Segment({-68.299, -29.399}, {-48.0471189, -49.6508811}), Arc({-48.0471189, -49.6508811}, {-46.48668481, -49.54865985}, {-47.31172784, -48.91549005}, 1.04), Arc({-46.48668481, -49.54865985}, {-55.03542484, -35.15931759}, {-53.636, -44.062}, 9.012), Segment({-55.03542484, -35.15931759}, {-119.2982877, -45.26071002}), Arc({-119.2982877, -45.26071002}, {-127.3634115, -38.47321085}, {-126.3, -45.395}, -7.003), Segment({-127.3634115, -38.47321085}, {-68.299, -29.399})}},
        Drawing{"PointInsideACircleLeftThroughAnItemThenACorner",
     {{33.419, 50.884, 0, 0, 0}, {4.123, 50.884, 0, 0, 2.723}, {-2.732, 86.333, 8, -20.219, 1}, {0, 0, 5, 0, 0.507}, {4.406, 87.639, 0, 0, 0}, {-22.436, 100.003, 0, 0, 2.141}, {33.419, 50.884, 0, 0, 0}, kEnd},
     {Segment({33.419, 50.884}, {5.250904133, 50.884}), Arc({5.250904133, 50.884}, {3.32545164, 51.68154896}, {5.250904133, 53.607}, -2.723), Segment({3.32545164, 51.68154896}, {-17.02899741, 72.03601339}), Arc({-17.02899741, 72.03601339}, {17.11559222, 82.47540435}, {-2.732, 86.333}, -20.219), Arc({17.11559222, 82.47540435}, {16.40579113, 82.11163924}, {16.61790542, 82.5721352}, -0.507), Segment({16.40579113, 82.11163924}, {-9.103395117, 93.86171668}), Arc({-9.103395117, 93.86171668}, {-11.4129907, 90.30934332}, {-9.999128277, 91.91709767}, 2.141), Segment({-11.4129907, 90.30934332}, {33.419, 50.884})}},
        Drawing{"CircleCornerWhoseRoundedCosineMissesTheSecondCircle",
     {{14.677, -4.872, 0, 0, 0}, {13.291, -27.833, 8, 17.234, -3}, {0, 0, 5, 0, -2.369}, {13.839, -47.182, 8, -4.176, 2}, {14.677, -4.872, 0, 0, 0}, kEnd},
     {Segment({14.677, -4.872}, {2.675155941, -14.25674827}), Arc({2.675155941, -14.25674827}, {15.35832187, -44.94255687}, {13.291, -27.833}, 17.234), Arc({15.35832187, -44.94255687}, {18.00690605, -47.44187526}, {15.64249766, -47.29445081}, -2.369), Arc({18.00690605, -47.44187526}, {9.692357644, -46.68769931}, {13.839, -47.182}, -4.176), Segment({9.692357644, -46.68769931}, {14.677, -4.872})}},
        Drawing{"ItemBetweenAVerticalEnteringLineAndACircle",
     {{17.618, -32.37, 0, 0, 0}, {17.618, -50.794, 2, -90, 2.728}, {0, 0, 5, 0, 0.869}, {-10.972, -75.554, 8, 15.764, -1.5}, {17.618, -32.37, 0, 0, 0}, kEnd},
     {Segment({17.618, -32.37}, {17.618, -49.54772351}), Arc({17.618, -49.54772351}, {16.67590897, -51.60988576}, {14.89, -49.54772351}, -2.728), Segment({16.67590897, -51.60988576}, {1.584121801, -64.67993299}), Arc({1.584121801, -64.67993299}, {0.3889444693, -64.625476}, {1.01522338, -64.02303453}, -0.869), Arc({0.3889444693, -64.625476}, {4.197477382, -79.84243234}, {-10.972, -75.554}, 15.764), Segment({4.197477382, -79.84243234}, {17.618, -32.37})}}),
    [](const auto& info) { return std::string(info.param.name); });

// Lists that cannot be drawn as typed: their messages, and the point where
// the contour meets the circle instead (on the circle, so that its arc closes).
struct Refusal {
  const char* name;
  std::vector<Element> list;
  std::vector<std::string> messages;
  Pt meeting;  // a point row of the contour, then the circle's arc
};
std::ostream& operator<<(std::ostream& out, const Refusal& r) { return out << r.name; }

class DraftedRefusals : public ::testing::TestWithParam<Refusal> {};

TEST_P(DraftedRefusals, ReportAndMeetTheCircleOnIt) {
  const Refusal& r = GetParam();
  const Converted got = ConvertList(r.list);
  ASSERT_EQ(got.status, Conv2Status::kOk);
  EXPECT_EQ(got.messages, r.messages);
  std::vector<std::vector<Piece>> paths;
  ASSERT_EQ(ContourPieces(got.rows, paths), "");
  EXPECT_EQ(NoBacktracking(paths), "");
  for (const ContourRow& row : got.rows) EXPECT_NE(row.code, 5) << "a (C) item is left";
  bool met = false;
  for (const Piece& p : paths[0]) {
    if (!p.arc) continue;
    EXPECT_LE(std::fabs(Len(p.a - p.c) - std::fabs(p.r)), kArcEndTolerance) << p;
    met = met || Len(p.a - r.meeting) < 1e-6 || Len(p.b - r.meeting) < 1e-6;
  }
  EXPECT_TRUE(met) << "no arc at " << r.meeting;
}

INSTANTIATE_TEST_SUITE_P(
    Conv2, DraftedRefusals,
    ::testing::Values<Refusal>(
        // y = 0 passes 5 below the circle: taken as its tangent, at (30, 5).
        Refusal{"LineMissingItsCircleEntersAtItsNearestPoint",
                {{0, 0, 1, 0, 0}, {30, 10, 8, 5, 1}, {60, 30, 0, 0, 0}, {0, 0, 0, 0, 0}, kEnd},
                {"CONV-2 エラー 交点No= 2 直線と円に交点無し。接線とします"},
                {30, 5}},
        // A corner of 1 cannot join y = 0 to a circle 5 above it.
        Refusal{"LineItemCircleApartMeetWithoutTheCorner",
                {{0, 0, 1, 0, 0}, {0, 0, 5, 0, 1}, {30, 10, 8, 5, -1}, {60, 30, 0, 0, 0}, {0, 0, 0, 0, 0}, kEnd},
                {"CONV-2 エラー 交点No= 3 直線と円に交点無し。接線とします", "CONV-2 エラー 交点No= 3 ( )(C)が入らない"},
                {30, 5}},
        // A corner of 40 would start before the line does (at x = 20): y = 0
        // enters the circle at (26, 0) without it.
        Refusal{"LineItemCircleTooBigForTheLine",
                {{20, 0, 1, 0, 0}, {0, 0, 5, 0, 40}, {30, 3, 8, 5, -1}, {60, 30, 0, 0, 0}, {20, 0, 0, 0, 0}, kEnd},
                {"CONV-2 エラー 交点No= 3 ( )(C)が入らない"},
                {26, 0}},
        // The circle is left onto y = 20, 15 above its top, through a corner of 1.
        Refusal{"CircleItemLineApartMeetWithoutTheCorner",
                {{0, 0, 0, 0, 0}, {30, 0, 8, 5, 1}, {0, 0, 5, 0, 1}, {40, 20, 1, 0, 0}, {60, 20, 0, 0, 0}, {0, 0, 0, 0, 0}, kEnd},
                {"CONV-2 エラー 交点No= 4 直線と円に交点無し。接線とします",
                 "CONV-2 エラー 交点No= 5 ()(C) 入らない --Rout(C)--"},
                {30, 5}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vx::drafting
