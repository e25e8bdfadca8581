// vantor: the host without a screen. Parses the command line, calls the host
// library, maps results to exit codes (0 done, 1 failed, 2 wrong arguments);
// errors are one line on stderr.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>

#include "commands.h"
#include "analyse_command.h"
#include "calibrate_command.h"
#include "compute_command.h"
#include "measure_factor_command.h"
#include "demo_command.h"
#include "failure.h"
#include "info_command.h"
#include "synth_command.h"
#include "host/memory_switches.h"

int main(int argc, char** argv) {
  host::ApplyMemorySwitches();
  CLI::App app{"vantor: the host for the Spirometry bundle, without a screen"};
  app.require_subcommand(1);
  std::string bundlePath = host::DefaultBundlePath();
  app.add_option("--bundle", bundlePath, "bundle folder to load")->capture_default_str();

  int exitCode = 0;
  auto* bundle = app.add_subcommand("bundle", "load the bundle and list its extensions");
  bundle->callback([&] { exitCode = cli::Guarded(bundlePath, [&] { return cli::ListBundle(bundlePath); }); });

  std::string rsrcPath;
  auto* resources = app.add_subcommand("resources", "list the resources of a resource file");
  resources->add_option("FILE", rsrcPath, "resource file")->required();
  resources->callback([&] { exitCode = cli::Guarded(rsrcPath, [&] { return cli::ListResources(rsrcPath); }); });

  cli::DemoPaths demoPaths{"", cli::DefaultSampleDir() + "/sample.edf", "demo-output"};
  auto* demo = app.add_subcommand(
      "demo", "the sample recording end to end: load, describe, compute, analyse and check against its truth");
  demo->add_option("--sample", demoPaths.sample, "recording with a .json ground truth beside it")
      ->capture_default_str();
  demo->add_option("--out", demoPaths.outDir, "folder for the windows, the report and channels.csv")->capture_default_str();
  demo->callback([&] {
    demoPaths.bundle = bundlePath;
    exitCode = cli::Guarded(demoPaths.sample, [&] { return cli::RunDemo(demoPaths); });
  });

  cli::AddInfoCommand(app, &exitCode);
  cli::AddSynthCommand(app, &exitCode);
  cli::AddComputeCommand(app, &bundlePath, &exitCode);
  cli::AddCalibrateCommand(app, &bundlePath, &exitCode);
  cli::AddMeasureFactorCommand(app, &bundlePath, &exitCode);
  cli::AddAnalyseCommand(app, &bundlePath, &exitCode);

  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {
    return app.exit(e);  // --help
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return cli::kUsageExit;
  } catch (const std::exception& e) {
    return cli::Failure("vantor", e.what());
  }
  return exitCode;
}
