// The ground truth written beside a synthetic recording (FILE.json): every
// parameter that made it, the EDF signal's ranges, the manoeuvre's phases and
// the forced expiration's landmarks. The parameters are enough to regenerate
// the true flow sample by sample (Synthesize gives the same numbers).
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "synthetic_recording.h"

namespace cli {

nlohmann::ordered_json GroundTruth(const SynthParameters& parameters, const SyntheticRecording& recording,
                                   const std::string& edfFileName);

// The parameters back from a ground truth; nothing, with a reason, when a
// field is missing or of the wrong kind.
std::optional<SynthParameters> ParametersFromTruth(const nlohmann::json& truth, std::string* problem);

}  // namespace cli
