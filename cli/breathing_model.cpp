#include "breathing_model.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "host/problem.h"

namespace cli {
namespace {

// Timing of the manoeuvre around the forced expiration.
constexpr double kShortestRest = 2.0;
constexpr double kMaximalInspirationSeconds = 2.0;
constexpr double kHoldSeconds = 0.5;
constexpr double kRecoverySeconds = 2.0;
constexpr double kInspiratoryShareOfBreath = 0.4;
// Expiratory reserve (below the resting level) as a share of the FVC; the
// rest of the FVC is inspired above the resting level before the expiration.
constexpr double kExpiratoryReserveShare = 0.25;

bool CheckBreathing(const BreathingParameters& p, std::string* problem) {
  if (!(p.tidalLitres > 0) || !(p.tidalLitres < p.fvcLitres * (1 - kExpiratoryReserveShare))) {
    return host::Fail(problem, "tidal volume must be above 0 and below the inspiratory capacity (3/4 of FVC)");
  }
  if (!(p.breathsPerMinute >= 2) || !(p.breathsPerMinute <= 60)) {
    return host::Fail(problem, "breaths per minute must lie between 2 and 60");
  }
  return true;
}

// Volume along a raised cosine from `from` to `to` over the phase: smooth,
// with zero flow at both ends.
double RaisedCosine(const BreathingPhase& phase, double t, bool derivative) {
  const double span = phase.endSeconds - phase.startSeconds;
  const double x = std::numbers::pi * (t - phase.startSeconds) / span;
  const double delta = phase.endLitres - phase.startLitres;
  if (derivative) return delta * 0.5 * std::numbers::pi / span * std::sin(x);
  return phase.startLitres + delta * 0.5 * (1 - std::cos(x));
}

}  // namespace

const char* PhaseName(PhaseKind kind) {
  switch (kind) {
    case PhaseKind::kRest: return "rest";
    case PhaseKind::kTidalInspiration: return "tidal inspiration";
    case PhaseKind::kTidalExpiration: return "tidal expiration";
    case PhaseKind::kMaximalInspiration: return "maximal inspiration";
    case PhaseKind::kBreathHold: return "breath hold";
    case PhaseKind::kForcedExpiration: return "forced expiration";
    case PhaseKind::kRecoveryInspiration: return "recovery inspiration";
  }
  return "?";
}

std::optional<BreathingModel> BreathingModel::Plan(const BreathingParameters& p, std::string* problem) {
  if (!CheckBreathing(p, problem)) return std::nullopt;
  auto curve = ForcedExpirationCurve::Fit(p.fvcLitres, p.fev1Litres, problem);
  if (!curve) return std::nullopt;
  const double cycle = 60.0 / p.breathsPerMinute;
  const double fixed = 2 * kShortestRest + kMaximalInspirationSeconds + kHoldSeconds + curve->durationSeconds() + kRecoverySeconds;
  const int breaths = static_cast<int>(std::floor((p.seconds - fixed) / cycle));
  if (!(p.seconds <= 86400) || breaths < 2) {
    host::Fail(problem, "the manoeuvre needs at least " + std::to_string(static_cast<int>(std::ceil(fixed + 2 * cycle))) +
                        " s (and at most a day) at these settings");
    return std::nullopt;
  }
  BreathingModel model(*curve);
  model.breathsBefore_ = breaths / 2;
  model.breathsAfter_ = breaths - breaths / 2;
  const double rest = kShortestRest + 0.5 * (p.seconds - fixed - breaths * cycle);
  const double reserve = p.fvcLitres * kExpiratoryReserveShare;
  model.Append(PhaseKind::kRest, rest, 0);
  model.AppendTidalBreaths(model.breathsBefore_, p.tidalLitres, cycle);
  model.Append(PhaseKind::kMaximalInspiration, kMaximalInspirationSeconds, p.fvcLitres - reserve);
  model.Append(PhaseKind::kBreathHold, kHoldSeconds, p.fvcLitres - reserve);
  model.Append(PhaseKind::kForcedExpiration, curve->durationSeconds(), -reserve);
  model.Append(PhaseKind::kRecoveryInspiration, kRecoverySeconds, 0);
  model.AppendTidalBreaths(model.breathsAfter_, p.tidalLitres, cycle);
  model.Append(PhaseKind::kRest, p.seconds - model.phases_.back().endSeconds, 0);
  return model;
}

void BreathingModel::Append(PhaseKind kind, double seconds, double endLitres) {
  const double start = phases_.empty() ? 0 : phases_.back().endSeconds;
  const double from = phases_.empty() ? 0 : phases_.back().endLitres;
  phases_.push_back({kind, start, start + seconds, from, endLitres});
}

void BreathingModel::AppendTidalBreaths(int count, double tidalLitres, double cycleSeconds) {
  for (int i = 0; i < count; ++i) {
    Append(PhaseKind::kTidalInspiration, kInspiratoryShareOfBreath * cycleSeconds, tidalLitres);
    Append(PhaseKind::kTidalExpiration, (1 - kInspiratoryShareOfBreath) * cycleSeconds, 0);
  }
}

const BreathingPhase& BreathingModel::forcedExpiration() const {
  return *std::find_if(phases_.begin(), phases_.end(),
                       [](const BreathingPhase& p) { return p.kind == PhaseKind::kForcedExpiration; });
}

const BreathingPhase* BreathingModel::PhaseAt(double t) const {
  auto it = std::upper_bound(phases_.begin(), phases_.end(), t,
                             [](double time, const BreathingPhase& p) { return time < p.endSeconds; });
  if (it == phases_.end() || t < 0) return nullptr;
  return &*it;
}

double BreathingModel::FlowAt(double t) const {
  const BreathingPhase* phase = PhaseAt(t);
  if (!phase || phase->startLitres == phase->endLitres) return 0;
  if (phase->kind == PhaseKind::kForcedExpiration) return -curve_.ExpiratoryFlow(t - phase->startSeconds);
  return RaisedCosine(*phase, t, true);
}

double BreathingModel::VolumeAt(double t) const {
  const BreathingPhase* phase = PhaseAt(t);
  if (!phase) return t < 0 ? 0 : phases_.back().endLitres;
  if (phase->startLitres == phase->endLitres) return phase->startLitres;
  if (phase->kind == PhaseKind::kForcedExpiration) return phase->startLitres - curve_.ExpiredVolume(t - phase->startSeconds);
  return RaisedCosine(*phase, t, false);
}

}  // namespace cli
