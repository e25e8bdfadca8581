#include "forced_expiration.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "host/problem.h"

namespace cli {
namespace {

constexpr double kRiseSeconds = 0.03;
constexpr double kMinimumDuration = 6.0;
constexpr double kDurationInTimeConstants = 8.0;
// Time constants outside this range are not a human expiration.
constexpr double kShortestTau = 0.2;
constexpr double kLongestTau = 20.0;

double Ramp(double t) { return t - kRiseSeconds * (1 - std::exp(-t / kRiseSeconds)); }
double RampSlope(double t) { return 1 - std::exp(-t / kRiseSeconds); }
double DurationFor(double tau) { return std::max(kMinimumDuration, kDurationInTimeConstants * tau); }

// FEV1/FVC of the curve with time constant tau; falls as tau grows.
double RatioFor(double tau) {
  return (1 - std::exp(-Ramp(1.0) / tau)) / (1 - std::exp(-Ramp(DurationFor(tau)) / tau));
}

std::string Litres(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

}  // namespace

ForcedExpirationCurve::ForcedExpirationCurve(double fvc, double tau)
    : fvc_(fvc), tau_(tau), duration_(DurationFor(tau)), norm_(1 - std::exp(-Ramp(DurationFor(tau)) / tau)) {}

std::optional<ForcedExpirationCurve> ForcedExpirationCurve::Fit(double fvc, double fev1, std::string* problem) {
  if (!(fvc > 0) || !(fev1 > 0) || !(fev1 < fvc)) {
    host::Fail(problem, "FEV1 must be above 0 and below FVC");
    return std::nullopt;
  }
  const double ratio = fev1 / fvc;
  if (ratio > RatioFor(kShortestTau) || ratio < RatioFor(kLongestTau)) {
    host::Fail(problem, "FEV1 must lie between " + Litres(fvc * RatioFor(kLongestTau)) + " and " +
                            Litres(fvc * RatioFor(kShortestTau)) + " L for an FVC of " + Litres(fvc) + " L");
    return std::nullopt;
  }
  double low = kShortestTau, high = kLongestTau;
  for (int i = 0; i < 200 && high - low > 1e-12; ++i) {
    const double mid = 0.5 * (low + high);
    (RatioFor(mid) > ratio ? low : high) = mid;
  }
  return ForcedExpirationCurve(fvc, 0.5 * (low + high));
}

double ForcedExpirationCurve::ExpiredVolume(double t) const {
  if (t <= 0) return 0;
  if (t >= duration_) return fvc_;
  return fvc_ * (1 - std::exp(-Ramp(t) / tau_)) / norm_;
}

double ForcedExpirationCurve::ExpiratoryFlow(double t) const {
  if (t <= 0 || t >= duration_) return 0;
  return fvc_ * std::exp(-Ramp(t) / tau_) * RampSlope(t) / (tau_ * norm_);
}

double ForcedExpirationCurve::PeakFlow() const {
  double peak = 0;
  for (int ms = 0; ms <= 1000; ++ms) peak = std::max(peak, ExpiratoryFlow(ms * 1e-3));
  return peak;
}

}  // namespace cli
