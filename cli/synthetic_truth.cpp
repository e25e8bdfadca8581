#include "synthetic_truth.h"

#include "host/problem.h"

namespace cli {
namespace {

nlohmann::ordered_json PhasesOf(const BreathingModel& model) {
  auto phases = nlohmann::ordered_json::array();
  for (const BreathingPhase& p : model.phases()) {
    phases.push_back({{"kind", PhaseName(p.kind)},
                      {"startSeconds", p.startSeconds},
                      {"endSeconds", p.endSeconds},
                      {"startLitres", p.startLitres},
                      {"endLitres", p.endLitres}});
  }
  return phases;
}

nlohmann::ordered_json ForcedExpirationOf(const BreathingModel& model) {
  const BreathingPhase& phase = model.forcedExpiration();
  return {{"startSeconds", phase.startSeconds},
          {"endSeconds", phase.endSeconds},
          {"fvcLitres", model.curve().fvcLitres()},
          {"fev1Litres", model.curve().ExpiredVolume(1.0)},
          {"peakFlowLitresPerSecond", model.curve().PeakFlow()},
          {"timeConstantSeconds", model.curve().timeConstantSeconds()}};
}

}  // namespace

nlohmann::ordered_json GroundTruth(const SynthParameters& p, const SyntheticRecording& r, const std::string& edfFileName) {
  nlohmann::ordered_json truth;
  truth["edfFile"] = edfFileName;
  truth["signal"] = {{"label", "Spirometer"},
                     {"unit", "mV"},
                     {"physicalMinimum", -r.rangeMillivolts},
                     {"physicalMaximum", r.rangeMillivolts},
                     {"digitalMinimum", -kSynthDigitalMaximum},
                     {"digitalMaximum", kSynthDigitalMaximum}};
  truth["flowConvention"] = "litres per second, inspiration positive";
  truth["sampleRateHz"] = p.rateHz;
  truth["seconds"] = r.model.phases().back().endSeconds;
  truth["samples"] = r.trueFlow.size();
  truth["fvcLitres"] = p.breathing.fvcLitres;
  truth["fev1Litres"] = p.breathing.fev1Litres;
  truth["tidalVolumeLitres"] = p.breathing.tidalLitres;
  truth["breathsPerMinute"] = p.breathing.breathsPerMinute;
  truth["flowHead"] = {{"scaleLitresPerSecondPerMillivolt", p.head.scale}, {"nonlinearityPerMillivolt", p.head.nonlinearity}};
  truth["zeroOffsetMillivolts"] = p.zeroOffsetMillivolts;
  truth["driftMillivoltsPerSecond"] = p.driftMillivoltsPerSecond;
  truth["noiseMillivolts"] = p.noiseMillivolts;
  truth["seed"] = p.seed;
  truth["forcedExpiration"] = ForcedExpirationOf(r.model);
  truth["tidalBreaths"] = {{"before", r.model.tidalBreathsBefore()}, {"after", r.model.tidalBreathsAfter()}};
  truth["phases"] = PhasesOf(r.model);
  return truth;
}

std::optional<SynthParameters> ParametersFromTruth(const nlohmann::json& truth, std::string* problem) {
  try {
    SynthParameters p;
    p.rateHz = truth.at("sampleRateHz").get<double>();
    p.breathing.seconds = truth.at("seconds").get<double>();
    p.breathing.fvcLitres = truth.at("fvcLitres").get<double>();
    p.breathing.fev1Litres = truth.at("fev1Litres").get<double>();
    p.breathing.tidalLitres = truth.at("tidalVolumeLitres").get<double>();
    p.breathing.breathsPerMinute = truth.at("breathsPerMinute").get<double>();
    p.head.scale = truth.at("flowHead").at("scaleLitresPerSecondPerMillivolt").get<double>();
    p.head.nonlinearity = truth.at("flowHead").at("nonlinearityPerMillivolt").get<double>();
    p.zeroOffsetMillivolts = truth.at("zeroOffsetMillivolts").get<double>();
    p.driftMillivoltsPerSecond = truth.at("driftMillivoltsPerSecond").get<double>();
    p.noiseMillivolts = truth.at("noiseMillivolts").get<double>();
    p.seed = truth.at("seed").get<std::uint64_t>();
    return p;
  } catch (const nlohmann::json::exception& e) {
    host::Fail(problem, std::string("ground truth is incomplete: ") + e.what());
    return std::nullopt;
  }
}

}  // namespace cli
