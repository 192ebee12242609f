// Trigonometry in degrees with the 8-digit circle constant, rounded to 6 places.
#pragma once

namespace vx {

// The circle constant of every degree conversion. Deliberately 8 digits: the
// stored contours and NC programs of a shop carry its rounding.
constexpr double kDegreePi = 3.1415926;
constexpr int kDegreePlaces = 6;

double TanDeg(double degrees);  // TanDeg(90) = 37320539.634355, never fails
double SinDeg(double degrees);
double CosDeg(double degrees);
double AtnDeg(double ratio);    // in (-90, 90); AtnDeg(1) = 45.000001
// Only for -1 < s < 1; the caller keeps to the domain.
double AsinDeg(double sine);
// For 0 < |u| <= 1: the arc cosine for u > 0, that value minus 180 for u < 0
// (AcosDeg(-0.5) = -60.000001); callers correct the quadrant themselves.
double AcosDeg(double cosine);

}  // namespace vx
