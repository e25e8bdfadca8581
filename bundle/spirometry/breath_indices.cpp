#include "spirometry/breath_indices.h"

#include <limits>

#include "extension/channel_scaling.h"
#include "extension/numeric_clamps.h"

namespace spiro {

namespace spirometry {
namespace {

constexpr float kNoExtreme = 32767.0f;

struct Stretch {
  LocalDataType& record;
  BreathPhase* phases;  // phases[k - 1] is record k
  const float* volume;
  std::int32_t n;
  double dt;

  BreathPhase& at(std::int32_t k) const { return phases[k - 1]; }
  double Litres(double raw) const {
    return RawToUnits(raw, record.volumeScaling) * record.volumeToLitres;
  }
  // The volume expired in the first second of the phase ending at record k,
  // when the phase lasts longer than a second within the data.
  void ComputeFirstSecondVolume(std::int32_t k) const {
    const std::int32_t a = at(k - 1).sampleIndex;
    const std::int64_t t = std::int64_t{a} + RoundToLong(1.0 / dt);  // a degenerate dt saturates
    if (t < n && t < at(k).sampleIndex) at(k).firstSecondVolume = volume[a] - volume[t];
  }
};

void FindExtremes(LocalDataType& record, const float* flow, const float* volume, std::int32_t n) {
  record.flowMin = record.volumeMin = kNoExtreme;
  record.flowMax = record.volumeMax = -kNoExtreme;
  for (std::int32_t i = 1; i <= n - 2; ++i) {
    if (flow[i] < record.flowMin) {
      record.flowMin = flow[i];
      record.peakExpiratoryIndex = i;
    }
    if (flow[i] > record.flowMax) {
      record.flowMax = flow[i];
      record.peakInspiratoryIndex = i;
    }
    if (volume[i] < record.volumeMin) record.volumeMin = volume[i];
    if (volume[i] > record.volumeMax) record.volumeMax = volume[i];
  }
}

// Expirations of at least forcedFactor times the mean are forced, together
// with the inspiration before each; the ordinary breaths alone then give the
// tidal indices. Returns the record of the largest forced expiration, or 0.
std::int32_t MarkForcedExpirations(const Stretch& s, float mean, BreathCycles cycles) {
  LocalDataType& record = s.record;
  if (record.expirationCount == 0) return 0;
  if (record.expirationCount < 2) {
    if (s.at(2).volumeChange > 0 || record.phaseCount < 3) {
      s.at(2).forced = 1;
      s.ComputeFirstSecondVolume(2);
      return 2;
    }
    s.at(2).forced = s.at(3).forced = 1;
    s.ComputeFirstSecondVolume(3);
    return 3;
  }
  double count = 0.0;
  double ordinaryVolume = 0.0;
  std::int32_t excluded = 0;
  float best = -kNoExtreme;
  std::int32_t chosen = 0;
  for (std::int32_t k = 2; k <= record.phaseCount; ++k) {
    const float v = s.at(k).volumeChange;
    if (!(v > 0)) continue;
    if (static_cast<double>(v) < static_cast<double>(mean) * record.forcedFactor) {
      ordinaryVolume += static_cast<double>(v);
      count += 1.0;
      continue;
    }
    if (v > best) {
      chosen = k;
      best = v;
    }
    s.at(k).forced = 1;
    excluded += s.at(k).sampleIndex - s.at(k - 1).sampleIndex;
    s.ComputeFirstSecondVolume(k);
    if (k - 2 > 0) {
      s.at(k - 1).forced = 1;
      excluded += s.at(k - 1).sampleIndex - s.at(k - 2).sampleIndex;
    }
  }
  if (count > 0) {
    if (count < cycles.cycles) {
      record.breathFrequency = 1.0 / (((cycles.cycleSamples - excluded) * s.dt) / count);
    }
    record.ventilation = s.Litres(ordinaryVolume / ((s.n - excluded) * s.dt));
    record.tidalVolume = s.Litres(ordinaryVolume / count);
  }
  return chosen;
}

}  // namespace

void ComputeBreathIndices(LocalDataType& record, BreathPhase* phases, const float* flow,
                          const float* volume, std::int32_t n, BreathCycles cycles) {
  const double dt = record.timeFormat.samplingInterval;
  const Stretch s{record, phases, volume, n, dt};
  FindExtremes(record, flow, volume, n);
  if (cycles.cycles > 0) {
    record.breathFrequency = 1.0 / ((cycles.cycleSamples * dt) / cycles.cycles);
  }
  float mean = 0.0f;
  if (record.expirationCount >= 1) {
    double expired = 0.0;
    for (std::int32_t k = 2; k <= record.phaseCount; ++k) {
      if (s.at(k).volumeChange > 0) expired += static_cast<double>(s.at(k).volumeChange);
    }
    mean = static_cast<float>(expired / record.expirationCount);
    if (cycles.cycleSamples > 0) record.ventilation = s.Litres(expired / (cycles.cycleSamples * dt));
    if (cycles.cycles > 0) record.tidalVolume = s.Litres(expired / cycles.cycles);
  }
  const std::int32_t r = record.phaseCount >= 2 ? MarkForcedExpirations(s, mean, cycles) : 0;

  const float threshold = record.flowThreshold;
  if (record.flowMin < threshold) {
    record.peakExpiratoryFlow =
        -RawToUnits(static_cast<double>(record.flowMin), record.flowScaling) * record.flowToLitresPerSecond;
  } else {
    record.peakExpiratoryIndex = -1;
  }
  if (record.flowMax > threshold) {
    record.peakInspiratoryFlow =
        RawToUnits(static_cast<double>(record.flowMax), record.flowScaling) * record.flowToLitresPerSecond;
  } else {
    record.peakInspiratoryIndex = -1;
  }
  if (r > 0) {
    record.forcedEndIndex = s.at(r).sampleIndex;
    record.forcedStartIndex = s.at(r - 1).sampleIndex;
    record.fvc = s.Litres(static_cast<double>(volume[record.forcedStartIndex] - volume[record.forcedEndIndex]));
    if (s.at(r).firstSecondVolume >= -std::numeric_limits<float>::max()) {
      record.fev1 = s.Litres(static_cast<double>(s.at(r).firstSecondVolume));
    }
  }
}

}  // namespace spirometry

}  // namespace spiro
