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
#include "failure.h"
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

// The forced expiration of the sample's ground truth (SAMPLE.json), or
// nothing with the reason: missing, not JSON, a field missing or not a
// number, or a window that is not a stretch of time.
std::optional<ForcedExpiration> ReadTruth(const std::string& samplePath, std::string* problem) {
  const std::string path = std::filesystem::path(samplePath).replace_extension(".json").string();
  std::ifstream in(path);
  if (!in) {
    *problem = "ground truth " + path + ": cannot be read";
    return std::nullopt;
  }
  const auto truth = nlohmann::json::parse(in, nullptr, false);
  const auto* fe = truth.is_object() && truth.contains("forcedExpiration") ? &truth["forcedExpiration"] : nullptr;
  ForcedExpiration out{};
  const std::pair<const char*, double*> fields[] = {{"startSeconds", &out.startSeconds}, {"endSeconds", &out.endSeconds},
                                                     {"fvcLitres", &out.fvcLitres}, {"fev1Litres", &out.fev1Litres}};
  for (const auto& [name, value] : fields) {
    if (fe == nullptr || !fe->is_object() || !fe->contains(name) || !(*fe)[name].is_number()) {
      *problem = "ground truth " + path + ": forcedExpiration." + name + " is missing or not a number";
      return std::nullopt;
    }
    *value = (*fe)[name].get<double>();
  }
  if (!(out.startSeconds >= 0 && out.endSeconds > out.startSeconds + 1.0 && out.fvcLitres > 0 && out.fev1Litres > 0)) {
    *problem = "ground truth " + path + ": the forced expiration must last over a second from a time >= 0, with positive volumes";
    return std::nullopt;
  }
  return out;
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
  const std::size_t end = std::max(start, at(truth.endSeconds));
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

  std::string problem;
  const auto truth = ReadTruth(paths.sample, &problem);
  if (!truth) return Failure(paths.sample, problem);
  double interval = 0;
  const auto volume = ReadVolume(paths.outDir + "/channels.csv", &interval);
  if (!volume || volume->empty() || interval <= 0) return Failure(paths.outDir, "no volume channel to measure");
  MeasureForcedExpiration(*volume, interval, *truth);
  return 0;
}

}  // namespace cli
