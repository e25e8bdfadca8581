// A spirometry manoeuvre as lung volume over time: rest, tidal breathing, a
// maximal inspiration, a short hold, a forced expiration, an inspiration back
// to the resting level, tidal breathing again and rest. Flow is the
// derivative of volume, inspiration positive, so it is continuous except at
// the end of the forced expiration (where it has decayed to almost nothing).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "forced_expiration.h"

namespace cli {

struct BreathingParameters {
  double seconds = 60;            // length of the whole recording
  double fvcLitres = 4.0;
  double fev1Litres = 3.2;
  double tidalLitres = 0.5;
  double breathsPerMinute = 15;
};

enum class PhaseKind {
  kRest,
  kTidalInspiration,
  kTidalExpiration,
  kMaximalInspiration,
  kBreathHold,
  kForcedExpiration,
  kRecoveryInspiration,
};
const char* PhaseName(PhaseKind kind);

struct BreathingPhase {
  PhaseKind kind;
  double startSeconds;
  double endSeconds;
  double startLitres;  // volume above the resting level at the start
  double endLitres;
};

class BreathingModel {
 public:
  // Nothing, with a one-line reason, for parameters no person could breathe
  // or a recording too short to hold the manoeuvre.
  static std::optional<BreathingModel> Plan(const BreathingParameters& parameters, std::string* problem);

  // Litres per second at time t (inspiration positive); 0 outside the recording.
  double FlowAt(double seconds) const;
  // Litres above the resting level at time t.
  double VolumeAt(double seconds) const;

  const std::vector<BreathingPhase>& phases() const { return phases_; }
  const BreathingPhase& forcedExpiration() const;
  const ForcedExpirationCurve& curve() const { return curve_; }
  int tidalBreathsBefore() const { return breathsBefore_; }
  int tidalBreathsAfter() const { return breathsAfter_; }

 private:
  BreathingModel(ForcedExpirationCurve curve) : curve_(curve) {}
  const BreathingPhase* PhaseAt(double seconds) const;
  void Append(PhaseKind kind, double seconds, double endLitres);
  void AppendTidalBreaths(int count, double tidalLitres, double cycleSeconds);

  ForcedExpirationCurve curve_;
  std::vector<BreathingPhase> phases_;
  int breathsBefore_ = 0;
  int breathsAfter_ = 0;
};

}  // namespace cli
