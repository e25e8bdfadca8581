// The volume curve of a forced expiration, shaped like a measured one: flow
// rises from zero to its peak within about a tenth of a second, then decays
// exponentially, so that FEV1 is expired at one second and FVC at the end.
//
//   expired(t) = FVC * (1 - exp(-r(t)/tau)) / (1 - exp(-r(T)/tau))
//   r(t)       = t - rise * (1 - exp(-t/rise))      (r'(0) = 0: no jump in flow)
//
// tau is fitted to FEV1/FVC; the duration T is long enough (at least 6 s and
// 8 tau) that the flow at the end has decayed to a fraction of a percent.
#pragma once

#include <optional>
#include <string>

namespace cli {

class ForcedExpirationCurve {
 public:
  // Nothing, with a one-line reason, when 0 < FEV1 < FVC does not hold or the
  // ratio cannot be reached with a plausible time constant.
  static std::optional<ForcedExpirationCurve> Fit(double fvcLitres, double fev1Litres, std::string* problem);

  double durationSeconds() const { return duration_; }
  double timeConstantSeconds() const { return tau_; }
  double fvcLitres() const { return fvc_; }
  // Litres expired since the start; 0 before it, FVC from the end on.
  double ExpiredVolume(double seconds) const;
  // Litres per second (positive) at that time; 0 outside the expiration.
  double ExpiratoryFlow(double seconds) const;
  // The largest flow (found by a fine search of the first second).
  double PeakFlow() const;

 private:
  ForcedExpirationCurve(double fvc, double tau);
  double fvc_;
  double tau_;
  double duration_;
  double norm_;  // 1 - exp(-r(T)/tau)
};

}  // namespace cli
