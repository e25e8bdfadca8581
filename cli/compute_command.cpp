#include "compute_command.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "bundle_tables.h"
#include "failure.h"
#include "host/alerts.h"
#include "host/bundle.h"
#include "host/channel_units.h"
#include "host/computed_channels.h"
#include "host/csv_export.h"
#include "host/document.h"
#include "host/document_file.h"
#include "host/live_replay.h"
#include "host/problem.h"
#include "host/recording_import.h"
#include "toolbox/file_bytes.h"
#include "toolbox/memory.h"
#include "setting_submission.h"
#include "settings_dialog_script.h"

namespace cli {
namespace {

constexpr const char* kFlowEntry = "Main3";
constexpr const char* kVolumeEntry = "Main5";

// The first alert an extension showed, or `otherwise`.
std::string AlertOr(const std::string& otherwise) {
  const std::string alert = QuietDocument::FirstAlert();
  return alert.empty() ? otherwise : alert;
}

bool Attach(host::Document& d, int channel, const host::Extension* function, std::string* problem) {
  if (function && d.computed().Attach(channel, *function)) return true;
  return host::Fail(problem, AlertOr((function ? function->name : std::string("the computed function")) +
                                                     " cannot be attached to channel " + std::to_string(channel)));
}

bool ShowsAnything(host::Document& d, int channel) {
  for (int b = 1; b <= d.blockCount(); ++b) {
    if (d.computed().HasDisplayedData(channel, b)) return true;
  }
  return false;
}

// Units the volume function integrates (compared without case).
bool IsFlowUnit(std::string unit) {
  for (char& c : unit) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const char* flow : {"l/s", "ml/s", "l/sec", "ml/sec", "l/min", "ml/min"}) {
    if (unit == flow) return true;
  }
  return false;
}

// Recorded flow: the volume function alone, on the flow channel as it is.
bool ComputeFromRecordedFlow(host::Document& d, const host::Bundle& bundle, const ComputeOptions& o,
                             std::string* problem) {
  const int flowChannel = *o.flowChannel;
  if (!d.IsChannel(flowChannel)) {
    return host::Fail(problem, "--flow-channel " + std::to_string(flowChannel) + ": the recording has channels 1.." +
                                   std::to_string(d.channelCount()));
  }
  const std::string unit(host::UnitTextOf(d.RecordedScaling(flowChannel, 1)));
  if (!IsFlowUnit(unit)) {
    return host::Fail(problem, "--flow-channel " + std::to_string(flowChannel) + ": channel \"" + d.Title(flowChannel) +
                                   "\" is in \"" + unit + "\", not a flow unit (L/s, mL/s, L/min, mL/min)");
  }
  const auto volumeCommands = VolumeCommands(o.volume, flowChannel, problem);
  if (!volumeCommands) return false;
  const int volumeChannel = d.AddChannel("Volume", "");
  const host::Extension* volume = bundle.Find(kVolumeEntry);
  if (!Attach(d, volumeChannel, volume, problem)) return false;
  SubmitSettings(*volume, volumeChannel, *volumeCommands);
  if (o.live && !host::ReplayLive(d, host::LiveReplayOptions{}, problem)) return false;
  return true;
}

// Attaches both functions, each on a channel of its own so that the flow
// head's recorded signal stays beside them, delivers their settings and computes.
bool Compute(host::Document& d, const host::Bundle& bundle, const ComputeOptions& o, std::string* problem) {
  if (o.flowChannel) return ComputeFromRecordedFlow(d, bundle, o, problem);
  const auto headChannel = SpirometerChannel(d, o.flowSource, problem);
  if (!headChannel) return false;
  const int flowChannel = d.AddChannel("Flow", "");
  const int volumeChannel = d.AddChannel("Volume", "");
  const auto flowCommands = FlowCommands(o.flow, *headChannel, problem);
  const auto volumeCommands = flowCommands ? VolumeCommands(o.volume, flowChannel, problem) : std::nullopt;
  if (!volumeCommands) return false;
  const host::Extension* flow = bundle.Find(kFlowEntry);
  const host::Extension* volume = bundle.Find(kVolumeEntry);
  if (!Attach(d, flowChannel, flow, problem) || !Attach(d, volumeChannel, volume, problem)) return false;
  SubmitSettings(*flow, flowChannel, *flowCommands);
  SubmitSettings(*volume, volumeChannel, *volumeCommands);
  if (!ShowsAnything(d, flowChannel)) {
    return host::Fail(problem, AlertOr("channel " + std::to_string(*headChannel) +
                                                       " is not a flow head's signal in volts"));
  }
  if (o.live && !host::ReplayLive(d, host::LiveReplayOptions{}, problem)) return false;
  return true;
}

bool SetsComputation(const ComputeOptions& o) {
  const FlowOptions& f = o.flow;
  const VolumeOptions& v = o.volume;
  return o.flowSource || o.flowChannel || !o.invert.empty() || f.model || f.scale || f.nonlinearity || f.zeroOffset ||
         f.linearise || f.drift || v.correctionFactor || v.noCorrection || v.thresholdRow || v.thresholdLitres ||
         v.resetAtInspiration || o.live;
}

std::string OutputPath(const ComputeOptions& o) { return (std::filesystem::path(o.outDir) / "channels.csv").string(); }

}  // namespace

std::optional<std::string> RefusedComputeOptions(const ComputeOptions& o, const host::Bundle& bundle) {
  std::string problem;
  if (host::IsDocumentPath(o.file) && SetsComputation(o)) {
    return o.file + " is a saved document with its own computed channels: the flow and volume options do not apply";
  }
  // Contradictions do not depend on the channels, which are not known yet.
  if (!FlowCommands(o.flow, 1, &problem) || !VolumeCommands(o.volume, 1, &problem)) return problem;
  const FlowOptions& f = o.flow;
  if (o.flowChannel && (o.flowSource || f.model || f.scale || f.nonlinearity || f.zeroOffset || f.linearise || f.drift)) {
    return std::string("--flow-channel takes recorded flow: the flow head's options (--flow-source, --model, --scale, "
                       "--nonlinearity, --zero-offset, --linearise, --drift) do not apply");
  }
  const BundleTables tables = TablesOf(bundle);
  std::vector<std::string> notes;
  if (auto p = ImpossibleFlowSetting(o.flow, tables.flowHeadModels)) return p;
  if (auto p = ImpossibleVolumeSetting(o.volume, tables.correctionThresholds, &notes)) return p;
  std::error_code ec;
  if (std::filesystem::equivalent(o.file, OutputPath(o), ec)) {
    return OutputPath(o) + " is the recording being read; choose another --out";
  }
  for (const std::string& note : notes) std::fprintf(stderr, "vantor: note: %s\n", note.c_str());
  return std::nullopt;
}

std::optional<int> SpirometerChannel(const host::Document& d, const std::optional<int>& flowSource,
                                     std::string* problem) {
  if (flowSource) {
    if (!d.IsChannel(*flowSource)) {
      host::Fail(problem, "--flow-source " + std::to_string(*flowSource) + ": the recording has channels 1.." +
                              std::to_string(d.channelCount()));
      return std::nullopt;
    }
    return *flowSource;
  }
  std::string channels;
  for (int c = 1; c <= d.channelCount(); ++c) {
    if (d.InputName(c) == host::kSpirometerInput) return c;
    channels += (c > 1 ? ", " : "") + std::to_string(c) + " \"" + d.Title(c) + "\"";
  }
  host::Fail(problem, "no channel is a spirometer's (by its label or transducer type; channels: " + channels +
                          "); name the flow head's channel with --flow-source");
  return std::nullopt;
}

int RunCompute(const ComputeOptions& o, const std::string& bundlePath) {
  std::string problem;
  const auto bundle = host::Bundle::Load(bundlePath, &problem);
  if (!bundle) return Failure(bundlePath, problem);
  return RunCompute(o, *bundle);
}

bool PrepareComputedDocument(const ComputeOptions& o, const host::Bundle& bundle, host::Document& document,
                             std::string* problem) {
  if (host::IsDocumentPath(o.file)) return host::OpenDocument(o.file, bundle, document, problem);
  if (!host::ImportRecordingFile(o.file, document, problem)) return false;
  for (const int channel : o.invert) {
    if (!document.IsChannel(channel)) {
      return host::Fail(problem, "--invert " + std::to_string(channel) + ": the recording has channels 1.." +
                                     std::to_string(document.channelCount()));
    }
    document.InvertChannel(channel);
  }
  return Compute(document, bundle, o, problem);
}

std::string ProblemWithMemory(long memoryFullBefore, const std::string& problem) {
  const bool ranOut = toolbox::MemoryFullCount() != memoryFullBefore;
  return ranOut && problem.find("memory") == std::string::npos ? "out of memory: " + problem : problem;
}

int WriteChannelsCsv(host::Document& document, const std::string& outDir, long memoryFullBefore) {
  const std::string csv = (std::filesystem::path(outDir) / "channels.csv").string();
  std::error_code ec;
  std::filesystem::create_directories(outDir, ec);
  if (ec) return Failure(outDir, "cannot be made: " + ec.message());
  toolbox::AtomicFileWriter out;
  if (out.Open(csv) != noErr) return Failure(csv, "cannot be written");
  std::string problem;
  if (!host::ExportChannelsCsv(document, out, &problem)) {
    return Failure(csv, ProblemWithMemory(memoryFullBefore, AlertOr(problem)));
  }
  // An alert (out of memory inside a function) means zeros, not a result.
  if (const std::string alert = QuietDocument::FirstAlert(); !alert.empty()) {
    return Failure(csv, ProblemWithMemory(memoryFullBefore, alert));
  }
  if (toolbox::MemoryFullCount() != memoryFullBefore) return Failure(csv, "out of memory while computing");
  if (out.Commit() != noErr) return Failure(csv, "cannot be written");
  std::printf("wrote %s (%d channels, %lld samples each)\n", csv.c_str(), document.channelCount(),
              static_cast<long long>(document.TotalLength()));
  return 0;
}

int RunCompute(const ComputeOptions& o, const host::Bundle& bundle) {
  if (const auto refused = RefusedComputeOptions(o, bundle)) return UsageFailure(*refused);
  // Memory that runs out anywhere below (in the host or a function that
  // carries on with zeros) makes the result untrustworthy: nothing is written.
  const long memoryFull = toolbox::MemoryFullCount();
  std::string problem;
  host::Document document;
  QuietDocument quiet(document);
  if (!PrepareComputedDocument(o, bundle, document, &problem)) {
    return Failure(o.file, ProblemWithMemory(memoryFull, problem));
  }
  return WriteChannelsCsv(document, o.outDir, memoryFull);
}

void AddComputeOptions(CLI::App& sub, ComputeOptions& o) {
  sub.add_option("FILE", o.file, "the recording (EDF, EDF+, CSV), or a document saved with --save (.vantor)")->required();
  sub.add_option("--out", o.outDir, "folder for the output files")->required();
  sub.add_option("--flow-source", o.flowSource, "channel of the flow head (default: the \"Spirometer\" input)");
  sub.add_option("--flow-channel", o.flowChannel,
                 "channel already holding flow (L/s, mL/s, L/min, mL/min): only volume is computed from it");
  sub.add_option("--invert", o.invert, "flip channel N's sign on import (expiration recorded as positive); repeatable")
      ->allow_extra_args(false);
  AddFlowOptions(sub, o.flow);
  AddVolumeOptions(sub, o.volume);
}

void AddComputeCommand(CLI::App& app, const std::string* bundlePath, int* exitCode) {
  auto o = std::make_shared<ComputeOptions>();
  CLI::App* sub = app.add_subcommand("compute", "compute flow and volume from a spirometer recording into DIR/channels.csv");
  AddComputeOptions(*sub, *o);
  sub->add_flag("--live", o->live, "compute as if the recording were being sampled");
  sub->callback([o, bundlePath, exitCode] {
    *exitCode = Guarded(o->file, [&] { return RunCompute(*o, *bundlePath); });
  });
}

}  // namespace cli
