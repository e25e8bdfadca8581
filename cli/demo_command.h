// vantor demo: the sample recording from end to end — the bundle loaded, the
// recording described, flow and volume computed, the recording analysed
// through the Spirometry windows into the output folder, and the analysis's
// FVC and FEV1 set against the recording's ground truth.
#pragma once

#include <string>

namespace cli {

struct DemoPaths {
  std::string bundle;
  std::string sample;  // data/sample.edf; its ground truth beside it as .json
  std::string outDir;
};

// Returns the exit code.
int RunDemo(const DemoPaths& paths);

// The folder of the committed sample recording.
std::string DefaultSampleDir();

}  // namespace cli
