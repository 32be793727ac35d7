// Molodensky datum shift (the abridged form with the flattening term written as
// dF (M a/b + N b/a) sin(phi) cos(phi); see e.g. DMA TR 8350.2). The device's own
// single-precision constants and roundings are kept on purpose, so that a position
// converted here lands on the same map unit as on the device; between those roundings
// the arithmetic is double.
#include "geo/datum.h"

#include <cmath>

namespace geo {
namespace {

struct DatumShift {
  float a;               // semi-major axis of the source ellipsoid (m)
  float e2;              // first eccentricity squared
  float a_one_minus_e2;  // a (1 - e2)
  float second_e2;       // second eccentricity squared
  float b_over_a;
  float dx, dy, dz;  // translation (m)
  float da;          // target a minus source a
  float df;          // target f minus source f
};

constexpr DatumShift kTokyoToWgs84{6377397.0f, 0.0066743726f, 6334832.0f, 0.006719219f, 0.99665725f,
                                   -146.0f,    507.0f,        687.0f,     740.0f,       1.0037329e-05f};
constexpr DatumShift kWgs84ToTokyo{6378137.0f, 0.0066943797f, 6335439.5f, 0.0067394963f, 0.9966472f,
                                   146.0f,     -507.0f,       -687.0f,    -740.0f,       -1.0037329e-05f};

constexpr float kDegreesToRadians = 0.017453292f;
constexpr float kPi = 3.1415927f;
constexpr float kTwoPi = 6.2831855f;
// The reciprocal of the single-precision pi, in extended precision.
constexpr long double kInversePi = 0.31830987732601135L;
constexpr double kHeight = 0.0;

float RadiansToDegrees(float radians) {
  return static_cast<float>(radians * 180.0L * kInversePi);
}

void Shift(const DatumShift& d, float longitude, float latitude, float& out_longitude, float& out_latitude) {
  const float lambda = longitude * kDegreesToRadians;
  const float phi = latitude * kDegreesToRadians;
  // Wrapped only for the sine and cosine; the shift is added to the unwrapped value.
  const double lambda_trig = lambda > kPi ? static_cast<double>(lambda) - kTwoPi : lambda;

  const double sin_phi = std::sin(static_cast<double>(phi));
  const double cos_phi = std::cos(static_cast<double>(phi));
  const double sin_lambda = std::sin(lambda_trig);
  const double cos_lambda = std::cos(lambda_trig);
  const double sin2 = sin_phi * sin_phi;

  // w2 >= 1 - e2 > 0, and cos(phi) of a float angle is never exactly 0: no denominator
  // below can vanish.
  const double w2 = 1.0 - d.e2 * sin2;
  const double w = std::sqrt(w2);
  const double m = d.a_one_minus_e2 / (w * w2);  // meridian radius
  const double n = d.a / w;                      // prime vertical radius

  const double t1 = d.dz * cos_phi - d.dx * sin_phi * cos_lambda - d.dy * sin_phi * sin_lambda;
  const double t2 = d.da * d.e2 * sin_phi * cos_phi / w;
  const double t3 = (2.0 * n + d.second_e2 * m * sin2) * sin_phi * cos_phi * d.b_over_a * d.df;
  const double d_phi = (t1 + t2 + t3) / (m + kHeight);
  const double d_lambda = (-d.dx * sin_lambda + d.dy * cos_lambda) / ((n + kHeight) * cos_phi);

  const float new_phi = static_cast<float>(phi + d_phi);
  float new_lambda = static_cast<float>(lambda + d_lambda);
  if (new_lambda > kTwoPi) new_lambda = static_cast<float>(static_cast<double>(new_lambda) - kTwoPi);
  if (new_lambda < -kPi) new_lambda = static_cast<float>(static_cast<double>(new_lambda) + kTwoPi);

  out_longitude = RadiansToDegrees(new_lambda);
  out_latitude = RadiansToDegrees(new_phi);
}

}  // namespace

void Bessel2WGS(float longitude, float latitude, float& wgs_longitude, float& wgs_latitude) {
  Shift(kTokyoToWgs84, longitude, latitude, wgs_longitude, wgs_latitude);
}

void WGS2Bessel(float longitude, float latitude, float& tokyo_longitude, float& tokyo_latitude) {
  Shift(kWgs84ToTokyo, longitude, latitude, tokyo_longitude, tokyo_latitude);
}

}  // namespace geo
