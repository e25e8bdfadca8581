// vantor: the host without a screen. Parses the command line, calls the host
// library, maps results to exit codes; errors are one line on stderr.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>

#include "commands.h"
#include "compute_command.h"
#include "demo_command.h"
#include "info_command.h"
#include "synth_command.h"

int main(int argc, char** argv) {
  CLI::App app{"vantor: the host for the Spirometry bundle, without a screen"};
  app.require_subcommand(1);
  std::string bundlePath = host::DefaultBundlePath();
  app.add_option("--bundle", bundlePath, "bundle folder to load")->capture_default_str();

  auto* bundle = app.add_subcommand("bundle", "load the bundle and list its extensions");
  bundle->callback([&] { std::exit(cli::ListBundle(bundlePath)); });

  std::string rsrcPath;
  auto* resources = app.add_subcommand("resources", "list the resources of a resource file");
  resources->add_option("FILE", rsrcPath, "resource file")->required();
  resources->callback([&] { std::exit(cli::ListResources(rsrcPath)); });

  cli::DemoPaths demoPaths{"", cli::DefaultSampleDir() + "/sample.edf", "out/demo"};
  auto* demo = app.add_subcommand(
      "demo", "the sample recording end to end: load, describe, compute flow and volume, measure");
  demo->add_option("--sample", demoPaths.sample, "recording with a .json ground truth beside it")
      ->capture_default_str();
  demo->add_option("--out", demoPaths.outDir, "folder for channels.csv")->capture_default_str();
  demo->callback([&] {
    demoPaths.bundle = bundlePath;
    std::exit(cli::RunDemo(demoPaths));
  });

  int exitCode = 0;
  cli::AddInfoCommand(app, &exitCode);
  cli::AddSynthCommand(app, &exitCode);
  cli::AddComputeCommand(app, &bundlePath, &exitCode);

  CLI11_PARSE(app, argc, argv);
  return exitCode;
}
