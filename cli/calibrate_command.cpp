#include "calibrate_command.h"

#include <cmath>
#include <cstdio>
#include <memory>

#include "bundle_tables.h"
#include "compute_command.h"
#include "failure.h"
#include "host/computed_channels.h"
#include "host/document.h"
#include "host/document_file.h"
#include "host/recording_import.h"
#include "host/selection.h"
#include "sample_span.h"
#include "settings_dialog_script.h"
#include "vantor/byte_access.h"

namespace cli {
namespace {

constexpr const char* kFlowEntry = "Main3";
constexpr double kLargestSyringe = 10000.0;  // litres, as the dialog holds it
// The flow settings record, a stored format.
constexpr std::size_t kModelAt = 6;
constexpr std::size_t kCustomScaleAt = 12;
constexpr std::size_t kCustomNonlinearityAt = 20;
constexpr std::size_t kFlowSettingsBytes = 100;

// What a user does: choose the custom model, which opens the syringe
// calibration on the selection, type the syringe's volume, OK twice.
std::string CalibrationScript(int customItem, double litres) {
  char volume[64];
  std::snprintf(volume, sizeof volume, "%.6g", litres);
  return "hit 10; choose " + std::to_string(customItem) + "; type 7 " + volume + "; hit 1; hit 1";
}

}  // namespace

int RunCalibrate(const CalibrateOptions& o, const host::Bundle& bundle) {
  if (!(o.syringeLitres > 0.0 && o.syringeLitres <= kLargestSyringe)) {
    return UsageFailure("--syringe-litres must lie above 0 and at most 10000");
  }
  if (o.save && !host::IsDocumentPath(*o.save)) return UsageFailure("--save: a document's name ends in .vantor");
  std::string problem;
  const auto span = ParseSampleSpan(o.select, &problem);
  if (!span) return UsageFailure("--select: " + problem);
  const host::Extension* flow = bundle.Find(kFlowEntry);
  if (flow == nullptr) return Failure("bundle", "has no Spirometry Flow");

  host::Document document;
  if (!host::ImportRecordingFile(o.file, document, &problem)) return Failure(o.file, problem);
  QuietDocument quiet(document);
  const auto range = ResolveSampleSpan(*span, document, &problem);
  if (!range) return Failure(o.file, "--select: " + problem);
  const auto channel = SpirometerChannel(document, o.flowSource, &problem);
  if (!channel) return Failure(o.file, problem);
  if (!document.computed().Attach(*channel, *flow)) {
    return Failure(o.file, "Spirometry Flow cannot be attached to channel " + std::to_string(*channel));
  }
  host::ChangeSelection(document, *range);
  const int customItem = TablesOf(bundle).flowHeadModels + 1;
  const bool accepted = RunSettingsDialog(document, *channel, CalibrationScript(customItem, o.syringeLitres));
  if (const std::string alert = QuietDocument::FirstAlert(); !alert.empty()) return Failure(o.file, alert);
  const std::vector<unsigned char> settings = SettingsRecordOf(document, *channel);
  if (!accepted || settings.size() < kFlowSettingsBytes ||
      vantor::LoadAt<std::int16_t>(settings.data(), kModelAt) != -1) {
    return Failure(o.file, "the calibration was not accepted");
  }
  const double scale = vantor::LoadAt<double>(settings.data(), kCustomScaleAt);
  const double nonlinearity = vantor::LoadAt<double>(settings.data(), kCustomNonlinearityAt);
  std::printf("channel %d calibrated with %g L over samples %lld:%lld\n", *channel, o.syringeLitres,
              static_cast<long long>(range->start), static_cast<long long>(range->end));
  std::printf("custom scale: %.6f L/s per base unit\n", scale);
  std::printf("custom nonlinearity: %.6f per base unit\n", nonlinearity);
  std::printf("calibration status: usable\n");
  if (o.save) {
    if (!host::SaveDocument(document, *o.save, &problem)) return Failure(*o.save, problem);
    std::printf("saved %s\n", o.save->c_str());
  }
  return 0;
}

void AddCalibrateCommand(CLI::App& app, const std::string* bundlePath, int* exitCode) {
  auto o = std::make_shared<CalibrateOptions>();
  CLI::App* sub = app.add_subcommand("calibrate", "calibrate the flow head from a selected syringe stroke");
  sub->add_option("FILE", o->file, "the recording (EDF, EDF+, CSV)")->required();
  sub->add_option("--select", o->select, "the stroke: FROM:TO in samples, or in seconds as 12.5s:40s")->required();
  sub->add_option("--syringe-litres", o->syringeLitres, "the syringe's volume in litres")->required();
  sub->add_option("--flow-source", o->flowSource, "channel of the flow head (default: the \"Spirometer\" input)");
  sub->add_option("--save", o->save, "save the calibrated document as DOC.vantor (compute and analyse open it as FILE)");
  sub->callback([o, bundlePath, exitCode] {
    *exitCode = Guarded(o->file, [&] {
      std::string problem;
      const auto bundle = host::Bundle::Load(*bundlePath, &problem);
      if (!bundle) return Failure(*bundlePath, problem);
      return RunCalibrate(*o, *bundle);
    });
  });
}

}  // namespace cli
