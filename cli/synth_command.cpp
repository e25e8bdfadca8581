#include "synth_command.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include "failure.h"
#include "host/edf_export.h"
#include "synthetic_truth.h"
#include "toolbox/file_bytes.h"

namespace cli {
namespace {

bool WriteText(const std::string& path, const std::string& text) {
  return toolbox::WriteFileBytesAtomically(path, std::vector<unsigned char>(text.begin(), text.end())) == noErr;
}

void AddOptions(CLI::App& sub, SynthOptions& o) {
  SynthParameters& p = o.parameters;
  sub.add_option("--out", o.out, "the EDF+ file to write; the ground truth goes to the same name with .json")->required();
  sub.add_option("--rate", p.rateHz, "samples per second (whole Hz)")->capture_default_str();
  sub.add_option("--seconds", p.breathing.seconds, "length of the recording (rounded up to whole seconds)")->capture_default_str();
  sub.add_option("--fvc", p.breathing.fvcLitres, "forced vital capacity, litres")->capture_default_str();
  sub.add_option("--fev1", p.breathing.fev1Litres, "volume expired in the first second, litres")->capture_default_str();
  sub.add_option("--tidal", p.breathing.tidalLitres, "tidal volume, litres")->capture_default_str();
  sub.add_option("--breaths-per-min", p.breathing.breathsPerMinute, "tidal breathing rate")->capture_default_str();
  sub.add_option("--scale", p.head.scale, "flow head: litres per second per millivolt")->capture_default_str();
  sub.add_option("--nonlinearity", p.head.nonlinearity, "flow head: nonlinearity per millivolt")->capture_default_str();
  sub.add_option("--zero-offset", p.zeroOffsetMillivolts, "voltage at zero flow, mV")->capture_default_str();
  sub.add_option("--drift", p.driftMillivoltsPerSecond, "linear drift of the zero, mV per second")->capture_default_str();
  sub.add_option("--noise", p.noiseMillivolts, "Gaussian noise, standard deviation in mV")->capture_default_str();
  sub.add_option("--seed", p.seed, "seed of the noise")->capture_default_str();
}

}  // namespace

int RunSynth(const SynthOptions& options) {
  const std::filesystem::path out(options.out);
  if (out.extension() == ".json") return Failure(options.out, "the recording cannot have the ground truth's name (.json)");
  std::string problem;
  const auto recording = Synthesize(options.parameters, &problem);
  if (!recording) return Failure("synth", problem);
  if (!host::WriteEdfPlus(options.out, ToEdfExport(options.parameters, *recording), &problem)) {
    return Failure(options.out, problem);
  }
  const std::string truthPath = std::filesystem::path(out).replace_extension(".json").string();
  const auto truth = GroundTruth(options.parameters, *recording, out.filename().string());
  if (!WriteText(truthPath, truth.dump(2) + "\n")) return Failure(truthPath, "cannot be written");
  std::printf("wrote %s (%zu samples at %g Hz) and %s\n", options.out.c_str(), recording->digital.size(),
              options.parameters.rateHz, truthPath.c_str());
  return 0;
}

void AddSynthCommand(CLI::App& app, int* exitCode) {
  auto options = std::make_shared<SynthOptions>();
  CLI::App* sub = app.add_subcommand("synth", "write a synthetic spirometer recording (EDF+) and its ground truth (JSON)");
  AddOptions(*sub, *options);
  sub->callback([options, exitCode] { *exitCode = Guarded(options->out, [&] { return RunSynth(*options); }); });
}

}  // namespace cli
