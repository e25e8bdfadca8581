#include "measure_factor_command.h"

#include <cstdio>
#include <memory>

#include "bundle_tables.h"
#include "compute_command.h"
#include "failure.h"
#include "host/computed_channels.h"
#include "host/document.h"
#include "host/recording_import.h"
#include "host/selection.h"
#include "sample_span.h"
#include "settings_dialog_script.h"
#include "vantor/byte_access.h"

namespace cli {
namespace {

constexpr const char* kFlowEntry = "Main3";
constexpr const char* kVolumeEntry = "Main5";
// The volume settings record, a stored format.
constexpr std::size_t kCorrectionFactorAt = 8;
constexpr std::size_t kVolumeSettingsBytes = 124;

// The factor the dialog stores after the user typed `typed` and pressed
// "use the measured factor": the measurement replaces what was typed, so two
// different typed values agree only when a factor was measured.
std::optional<double> FactorAfterUse(host::Document& document, int channel, const std::string& prefix,
                                     const char* typed) {
  if (!RunSettingsDialog(document, channel, prefix + "type 11 " + typed + "; hit 8; hit 1")) return std::nullopt;
  const std::vector<unsigned char> settings = SettingsRecordOf(document, channel);
  if (settings.size() < kVolumeSettingsBytes) return std::nullopt;
  return vantor::LoadAt<double>(settings.data(), kCorrectionFactorAt);
}

}  // namespace

int RunMeasureFactor(const MeasureFactorOptions& o, const host::Bundle& bundle) {
  std::string problem;
  const auto span = ParseSampleSpan(o.select, &problem);
  if (!span) return UsageFailure("--select: " + problem);
  const int rows = TablesOf(bundle).correctionThresholds;
  if (o.thresholdRow && (*o.thresholdRow < 1 || *o.thresholdRow > rows)) {
    return UsageFailure("--threshold-row must lie within 1.." + std::to_string(rows));
  }
  const host::Extension* flow = bundle.Find(kFlowEntry);
  const host::Extension* volume = bundle.Find(kVolumeEntry);
  if (flow == nullptr || volume == nullptr) return Failure("bundle", "has no Spirometry Flow and Volume");

  host::Document document;
  if (!host::ImportRecordingFile(o.file, document, &problem)) return Failure(o.file, problem);
  QuietDocument quiet(document);
  const auto range = ResolveSampleSpan(*span, document, &problem);
  if (!range) return Failure(o.file, "--select: " + problem);
  const auto flowChannel = SpirometerChannel(document, o.flowSource, &problem);
  if (!flowChannel) return Failure(o.file, problem);
  const int volumeChannel = document.AddChannel("Volume", "");
  if (!document.computed().Attach(*flowChannel, *flow) || !document.computed().Attach(volumeChannel, *volume)) {
    return Failure(o.file, "the flow and volume functions cannot be attached");
  }
  host::ChangeSelection(document, *range);
  // The flow function's defaults, accepted as a user would.
  if (!RunSettingsDialog(document, *flowChannel, "hit 1")) {
    const std::string alert = QuietDocument::FirstAlert();
    return Failure(o.file, alert.empty() ? "the flow settings were not accepted" : alert);
  }
  const std::string row = o.thresholdRow ? "hit 15; choose " + std::to_string(*o.thresholdRow) + "; " : "";
  const auto low = FactorAfterUse(document, volumeChannel, row, "0.95");
  const auto high = FactorAfterUse(document, volumeChannel, "", "1.95");
  if (const std::string alert = QuietDocument::FirstAlert(); !alert.empty()) return Failure(o.file, alert);
  if (!low || !high) return Failure(o.file, "the volume settings were not accepted");
  if (*low != *high) {
    return Failure(o.file, "no factor measured: select one breath cycle of 20 to 32000 samples whose flow "
                           "turns positive in its first and last thirds, with a factor within 0.9 to 2.0");
  }
  std::printf("measured expiratory correction factor: %.3f\n", *low);
  std::printf("measurement status: measured from samples %lld:%lld\n", static_cast<long long>(range->start),
              static_cast<long long>(range->end));
  return 0;
}

void AddMeasureFactorCommand(CLI::App& app, const std::string* bundlePath, int* exitCode) {
  auto o = std::make_shared<MeasureFactorOptions>();
  CLI::App* sub = app.add_subcommand("measure-factor", "measure the expiratory correction factor from a breath");
  sub->add_option("FILE", o->file, "the recording (EDF, EDF+, CSV)")->required();
  sub->add_option("--select", o->select, "the breath: FROM:TO in samples, or in seconds as 12.5s:40s")->required();
  sub->add_option("--threshold-row", o->thresholdRow, "row of the dead-space table (default: the function's)");
  sub->add_option("--flow-source", o->flowSource, "channel of the flow head (default: the \"Spirometer\" input)");
  sub->callback([o, bundlePath, exitCode] {
    *exitCode = Guarded(o->file, [&] {
      std::string problem;
      const auto bundle = host::Bundle::Load(*bundlePath, &problem);
      if (!bundle) return Failure(*bundlePath, problem);
      return RunMeasureFactor(*o, *bundle);
    });
  });
}

}  // namespace cli
