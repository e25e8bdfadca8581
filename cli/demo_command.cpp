#include "demo_command.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>

#include "commands.h"
#include "compute_command.h"
#include "host/recording_import.h"
#include "info_command.h"

namespace cli {
namespace {

struct ForcedExpiration {
  double startSeconds;
  double endSeconds;
  double fvcLitres;
  double fev1Litres;
};

std::optional<ForcedExpiration> ReadTruth(const std::string& samplePath) {
  std::ifstream in(std::filesystem::path(samplePath).replace_extension(".json"));
  if (!in) return std::nullopt;
  const auto truth = nlohmann::json::parse(in, nullptr, false);
  if (truth.is_discarded() || !truth.contains("forcedExpiration")) return std::nullopt;
  const auto& fe = truth["forcedExpiration"];
  return ForcedExpiration{fe.value("startSeconds", 0.0), fe.value("endSeconds", 0.0),
                          fe.value("fvcLitres", 0.0), fe.value("fev1Litres", 0.0)};
}

// The volume channel of channels.csv, read back through the host's CSV import.
std::optional<std::vector<float>> ReadVolume(const std::string& csvPath, double* interval) {
  std::ifstream in(csvPath);
  std::stringstream text;
  text << in.rdbuf();
  std::string problem;
  const auto recording = host::ParseCsvRecording(text.str(), &problem);
  if (!recording || recording->segments.size() != 1) return std::nullopt;
  for (std::size_t c = 0; c < recording->channels.size(); ++c) {
    if (recording->channels[c].dimension != "L") continue;
    const auto& ch = recording->channels[c];
    std::vector<float> litres;
    for (float v : recording->segments[0].samples[c]) {
      litres.push_back(static_cast<float>(static_cast<double>(v) * ch.unitsPerValue));
    }
    *interval = recording->samplingInterval;
    return litres;
  }
  return std::nullopt;
}

// Volume falls during expiration: FVC is the fall from the start of the
// manoeuvre to its lowest point, FEV1 the fall in its first second.
void MeasureForcedExpiration(const std::vector<float>& volume, double interval,
                             const ForcedExpiration& truth) {
  const auto at = [&](double seconds) {
    return std::min(volume.size() - 1, static_cast<std::size_t>(std::lround(seconds / interval)));
  };
  const std::size_t start = at(truth.startSeconds);
  const std::size_t end = at(truth.endSeconds);
  const float lowest = *std::min_element(volume.begin() + static_cast<long>(start),
                                         volume.begin() + static_cast<long>(end) + 1);
  const double fvc = volume[start] - lowest;
  const double fev1 = volume[start] - volume[at(truth.startSeconds + 1.0)];
  std::printf("\nforced expiration %.2f s .. %.2f s, measured on the computed volume:\n",
              truth.startSeconds, truth.endSeconds);
  std::printf("  FVC  %.3f L   (truth %.3f L, %+.2f%%)\n", fvc, truth.fvcLitres,
              100.0 * (fvc - truth.fvcLitres) / truth.fvcLitres);
  std::printf("  FEV1 %.3f L   (truth %.3f L, %+.2f%%)\n", fev1, truth.fev1Litres,
              100.0 * (fev1 - truth.fev1Litres) / truth.fev1Litres);
}

}  // namespace

std::string DefaultSampleDir() { return VANTOR_SAMPLE_DIR; }

int RunDemo(const DemoPaths& paths) {
  if (const int rc = ListBundle(paths.bundle); rc != 0) return rc;
  std::printf("\n");
  if (const int rc = RunInfo(paths.sample); rc != 0) return rc;

  // The sample carries a zero offset and a drift: the flow function removes
  // the drift; the volume is left uncorrected so it can be set against the truth.
  ComputeOptions options;
  options.file = paths.sample;
  options.outDir = paths.outDir;
  options.flow.drift = true;
  options.volume.noCorrection = true;
  std::printf("\n");
  if (const int rc = RunCompute(options, paths.bundle); rc != 0) return rc;

  double interval = 0;
  const auto volume = ReadVolume(paths.outDir + "/channels.csv", &interval);
  const auto truth = ReadTruth(paths.sample);
  if (!volume || !truth || volume->empty() || interval <= 0) {
    std::fprintf(stderr, "vantor: %s: no volume channel to measure\n", paths.outDir.c_str());
    return 1;
  }
  MeasureForcedExpiration(*volume, interval, *truth);
  return 0;
}

}  // namespace cli
