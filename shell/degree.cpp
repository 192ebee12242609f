// Trigonometry in degrees with the 8-digit circle constant, rounded to 6 places.
#include "shell/degree.h"

#include <cmath>

#include "shell/number_text.h"

namespace vx {
namespace {

// Degrees to radians: multiply by the constant first, divide by 180 second.
double ToRadians(double degrees) { return degrees * kDegreePi / 180.0; }
// Radians to degrees: multiply by 180 first, divide by the constant second.
double ToDegrees(double radians) { return radians * 180.0 / kDegreePi; }
double Round6(double value) { return RoundHalfEven(value, kDegreePlaces); }

}  // namespace

double TanDeg(double degrees) { return Round6(std::tan(ToRadians(degrees))); }
double SinDeg(double degrees) { return Round6(std::sin(ToRadians(degrees))); }
double CosDeg(double degrees) { return Round6(std::cos(ToRadians(degrees))); }
double AtnDeg(double ratio) { return Round6(ToDegrees(std::atan(ratio))); }

double AsinDeg(double sine) {
  return Round6(ToDegrees(std::atan(sine / std::sqrt(1.0 - sine * sine))));
}

double AcosDeg(double cosine) {
  return Round6(ToDegrees(std::atan(std::sqrt(1.0 - cosine * cosine) / cosine)));
}

}  // namespace vx
