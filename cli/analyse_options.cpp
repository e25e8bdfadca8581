#include "analyse_options.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "host/document_file.h"
#include "toolbox/macroman.h"

namespace cli {
namespace {

// Items of the analysis settings dialog.
constexpr SInt16 kForcedFactorItem = 6;
constexpr SInt16 kLoopGraphItem = 10;
constexpr SInt16 kDataGraphItem = 11;
constexpr SInt16 kThresholdItem = 13;
// Items of the subject dialog; the sex pop-up lists "not given", male, female.
constexpr SInt16 kNameItem = 6;
constexpr SInt16 kAgeItem = 8;
constexpr SInt16 kSexItem = 11;
constexpr SInt16 kWeightItem = 13;
constexpr SInt16 kHeightItem = 16;
constexpr SInt16 kOkItem = 1;
// What the dialogs hold.
constexpr double kLargestFactor = 10.0;
constexpr std::size_t kLongestName = 31;

struct Limit {
  const char* name;
  int largest;
};
constexpr Limit kAge{"age", 150};
constexpr Limit kHeight{"height", 300};
constexpr Limit kWeight{"weight", 700};

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

std::vector<std::string> Fields(const std::string& text) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = text.find(',', start);
    fields.push_back(text.substr(start, comma - start));
    if (comma == std::string::npos) return fields;
    start = comma + 1;
  }
}

// An empty field is not given; otherwise a whole number 0..largest.
bool TypeWhole(const std::string& field, const Limit& limit, SInt16 item, std::vector<toolbox::ScriptAction>& script,
               std::string* problem) {
  if (field.empty()) return true;
  int value = -1;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (error != std::errc() || end != field.data() + field.size() || value < 0 || value > limit.largest) {
    *problem = std::string("--subject: the ") + limit.name + " must be a whole number from 0 to " +
               std::to_string(limit.largest) + " (\"" + field + "\")";
    return false;
  }
  script.push_back(toolbox::TypeTextAction(item, field));
  return true;
}

std::optional<SInt16> SexItem(const std::string& field) {
  if (field.empty() || field == "-") return 1;
  if (field == "M" || field == "m" || field == "male") return 2;
  if (field == "F" || field == "f" || field == "female") return 3;
  return std::nullopt;
}

}  // namespace

std::optional<std::string> RefusedAnalyseOptions(const AnalyseOptions& o, std::vector<std::string>* notes) {
  if (o.forcedFactor) {
    const double f = *o.forcedFactor;
    if (!std::isfinite(f) || f <= 0.0 || f > kLargestFactor) {
      return "--forced-factor must lie above 0 and at most " + Number(kLargestFactor);
    }
    if (f < 1.0) notes->push_back("--forced-factor " + Number(f) + " is below 1: the analysis uses 1");
  }
  if (o.flowThreshold && !(std::isfinite(*o.flowThreshold) && *o.flowThreshold >= 0.0 && *o.flowThreshold <= 100.0)) {
    return std::string("--flow-threshold must be a percentage from 0 to 100");
  }
  if (o.reportGraph && *o.reportGraph != "data" && *o.reportGraph != "loop") {
    return std::string("--report-graph must be data or loop");
  }
  if (o.copyFormat != 1 && o.copyFormat != 4) return std::string("--copy-format must be 1 or 4");
  if (o.save && !host::IsDocumentPath(*o.save)) return std::string("--save: a document's name ends in .vantor");
  std::string problem;
  if (o.subject && !SubjectScript(*o.subject, &problem)) return problem;
  return std::nullopt;
}

std::vector<toolbox::ScriptAction> SettingsScript(const AnalyseOptions& o) {
  std::vector<toolbox::ScriptAction> script;
  if (o.forcedFactor) script.push_back(toolbox::TypeTextAction(kForcedFactorItem, Number(*o.forcedFactor)));
  if (o.reportGraph) {
    script.push_back(toolbox::ItemHitAction(*o.reportGraph == "data" ? kDataGraphItem : kLoopGraphItem));
  }
  if (o.flowThreshold) script.push_back(toolbox::TypeTextAction(kThresholdItem, Number(*o.flowThreshold)));
  if (!script.empty()) script.push_back(toolbox::ItemHitAction(kOkItem));
  return script;
}

std::optional<std::vector<toolbox::ScriptAction>> SubjectScript(const std::string& subject, std::string* problem) {
  const std::vector<std::string> f = Fields(subject);
  if (f.size() != 5) {
    *problem = "--subject takes NAME,AGE,SEX,HEIGHT_CM,WEIGHT_KG (five fields, empty ones not given)";
    return std::nullopt;
  }
  const auto name = toolbox::Utf8ToMacRoman(f[0]);
  if (!name || name->size() > kLongestName) {
    *problem = "--subject: the name must be at most 31 characters of the Mac Roman set";
    return std::nullopt;
  }
  std::vector<toolbox::ScriptAction> script{toolbox::TypeTextAction(kNameItem, *name)};
  if (!TypeWhole(f[1], kAge, kAgeItem, script, problem)) return std::nullopt;
  const auto sex = SexItem(f[2]);
  if (!sex) {
    *problem = "--subject: the sex must be M, F or - (\"" + f[2] + "\")";
    return std::nullopt;
  }
  script.push_back(toolbox::ItemHitAction(kSexItem));
  script.push_back(toolbox::MenuChoiceAction(*sex));
  if (!TypeWhole(f[3], kHeight, kHeightItem, script, problem) || !TypeWhole(f[4], kWeight, kWeightItem, script, problem)) {
    return std::nullopt;
  }
  script.push_back(toolbox::ItemHitAction(kOkItem));
  return script;
}

CopyFormat CopyFormatOf(const AnalyseOptions& o) { return o.copyFormat == 4 ? CopyFormat::kLarge : CopyFormat::kNormal; }

void AddAnalyseOptions(CLI::App& sub, AnalyseOptions& o) {
  AddComputeOptions(sub, o.compute);
  sub.add_option("--select", o.select,
                 "the stretch to analyse: FROM:TO in samples, or in seconds as 12.5s:40s (default: the first stretch)");
  sub.add_option("--forced-factor", o.forcedFactor,
                 "an expiration this many times the mean one is forced (the settings dialog's factor, at least 1)");
  sub.add_option("--flow-threshold", o.flowThreshold,
                 "flow below this percentage of the full range counts as no flow (the settings dialog's threshold)");
  sub.add_option("--report-graph", o.reportGraph, "the graph on the printed report: data or loop");
  sub.add_option("--subject", o.subject, "the subject for the report: NAME,AGE,SEX(M/F/-),HEIGHT_CM,WEIGHT_KG");
  sub.add_option("--copy-format", o.copyFormat,
                 "the copy dialog's choice: 1 pictures at normal size and the report as labelled text, "
                 "4 pictures four times the size and the report's values on one line");
  sub.add_option("--save", o.save,
                 "save the document (the recording, its computed channels and every setting) as DOC.vantor, "
                 "which analyse and compute open again as FILE");
}

}  // namespace cli
