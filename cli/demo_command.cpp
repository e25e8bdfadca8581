#include "demo_command.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>

#include "commands.h"
#include "analyse_command.h"
#include "failure.h"
#include "info_command.h"

namespace cli {
namespace {

constexpr int kFvcRow = 15;
constexpr int kFev1Row = 16;
constexpr const char* kDemoSubject = "Sample Subject,40,F,165,60";

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

// A report row's number in litres; none when the row shows none.
std::optional<double> Litres(const AnalysisReport& report, int row) {
  if (row > static_cast<int>(report.rows.size())) return std::nullopt;
  const ReportRow& r = report.rows[static_cast<std::size_t>(row) - 1];
  if (!r.number) return std::nullopt;
  return r.unit == "mL" ? *r.number / 1000.0 : *r.number;
}

// Within 3 % or 50 mL of the truth, whichever is larger.
bool Agrees(const char* name, std::optional<double> measured, double truth) {
  if (!measured) {
    std::printf("  %-5s not measured  (truth %.3f L)\n", name, truth);
    return false;
  }
  const double error = *measured - truth;
  const bool agrees = std::abs(error) <= std::max(0.03 * truth, 0.050);
  std::printf("  %-5s %.2f L   (truth %.3f L, %+.1f%%%s)\n", name, *measured, truth, 100.0 * error / truth,
              agrees ? "" : ", outside 3 % or 50 mL");
  return agrees;
}

std::string Quoted(const std::string& text) {
  return text.find_first_of(" ,'\"") == std::string::npos ? text : "'" + text + "'";
}

}  // namespace

std::string DefaultSampleDir() { return VANTOR_SAMPLE_DIR; }

int RunDemo(const DemoPaths& paths) {
  if (const int rc = ListBundle(paths.bundle); rc != 0) return rc;
  std::printf("\n");
  if (const int rc = RunInfo(paths.sample); rc != 0) return rc;
  std::string problem;
  const auto truth = ReadTruth(paths.sample, &problem);
  if (!truth) return Failure(paths.sample, problem);

  // The sample carries a zero offset and a drift: the flow function removes
  // the drift; the volume is left uncorrected so it can be set against the truth.
  AnalyseOptions options;
  options.compute.file = paths.sample;
  options.compute.outDir = paths.outDir;
  options.compute.flow.drift = true;
  options.compute.volume.noCorrection = true;
  options.subject = kDemoSubject;
  std::printf("\n");
  const auto bundle = host::Bundle::Load(paths.bundle, &problem);
  if (!bundle) return Failure(paths.bundle, problem);
  AnalysisReport report;
  if (const int rc = RunAnalyse(options, *bundle, &report); rc != 0) return rc;

  std::printf("\nthe forced expiration at %.2f s against the recording's truth:\n", truth->startSeconds);
  const bool fvc = Agrees("FVC", Litres(report, kFvcRow), truth->fvcLitres);
  const bool fev1 = Agrees("FEV1", Litres(report, kFev1Row), truth->fev1Litres);
  std::printf("\nthe same on your own recording:\n  vantor analyse %s --out %s --drift --no-correction --subject %s\n",
              Quoted(paths.sample).c_str(), Quoted(paths.outDir).c_str(), Quoted(kDemoSubject).c_str());
  if (!fvc || !fev1) return Failure(paths.sample, "the analysis does not agree with the recording's truth");
  return 0;
}

}  // namespace cli
