#include "analyse_command.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include "failure.h"
#include "host/alerts.h"
#include "host/clipboard.h"
#include "host/document.h"
#include "host/document_file.h"
#include "host/problem.h"
#include "sample_span.h"
#include "settings_dialog_script.h"
#include "toolbox/file_bytes.h"
#include "toolbox/memory.h"
#include "toolbox/quickdraw.h"
#include "toolbox/render.h"

namespace cli {
namespace {

constexpr const char* kSpirometryEntry = "Main1";
// Entries of the extension's message list: the heading of a print refusal,
// and the warning that the analysis stopped at its sample limit.
constexpr int kPrintRefusalEntry = 19;
constexpr int kLimitedCode = 14;
// The analysis reads at most this many samples of a selection.
constexpr std::int64_t kAnalysedSamples = 16000;
// Summary rows: FVC, FEV1, FEV1/FVC, peak expiratory flow, breathing frequency.
constexpr int kSummaryRows[] = {15, 16, 17, 13, 10};

std::string PathIn(const std::string& dir, const char* name) { return (std::filesystem::path(dir) / name).string(); }

// The first stretch of the recording, or the span asked for.
std::optional<host::PositionRange> Selection(const AnalyseOptions& o, const host::Document& d, std::string* problem) {
  if (o.select.empty()) {
    return host::PositionRange{d.BlockStart(d.FirstBlockOfStretch(1)), d.BlockStart(d.LastBlockOfStretch(1) + 1)};
  }
  const auto span = ParseSampleSpan(o.select, problem);
  const auto range = span ? ResolveSampleSpan(*span, d, problem) : std::nullopt;
  if (!range) *problem = "--select: " + *problem;
  return range;
}

bool WriteText(const std::string& path, const std::string& text, std::string* problem) {
  if (toolbox::WriteFileBytesAtomically(path, std::vector<unsigned char>(text.begin(), text.end())) == noErr) return true;
  return host::Fail(problem, path + ": cannot be written");
}

bool WriteWindowPng(WindowRef window, const std::string& path, std::string* problem) {
  if (window == nullptr) return host::Fail(problem, path + ": the window could not be made");
  std::string error;
  return toolbox::WritePortPng(GetWindowPort(window), path, &error) || host::Fail(problem, path + ": " + error);
}

bool CopyPicture(SpirometrySession& s, SpiroWindow kind, CopyFormat format, const std::string& dir, const char* name,
                 std::string* problem) {
  if (!s.Copy(kind, format)) return host::Fail(problem, std::string(name) + ": the copy dialog did not copy");
  const std::string base = PathIn(dir, name);
  return host::WriteClipboardPictureFile(base + ".pict", problem) &&
         host::WriteClipboardPictureAsPng(base + "-picture.png", problem);
}

std::optional<std::string> CopiedReport(SpirometrySession& s, CopyFormat format) {
  if (!s.Copy(SpiroWindow::kReport, format)) return std::nullopt;
  return host::ClipboardText();
}

// What the user is warned of: the extension's alerts while it analysed (data
// clipped), and the limit the analysis kept to.
std::string WarningOf(std::size_t firstAlert, bool limited, const std::vector<std::string>& messages) {
  std::string warning;
  const auto& alerts = host::Alerts();
  for (std::size_t i = firstAlert; i < alerts.size(); ++i) {
    if (warning.find(alerts[i].text) == std::string::npos) warning += (warning.empty() ? "" : " ") + alerts[i].text;
  }
  if (limited && messages.size() >= kLimitedCode) {
    warning += (warning.empty() ? "" : " ") + messages[kLimitedCode - 1];
  }
  return warning;
}

void PrintSummary(const AnalysisReport& r) {
  for (const int row : kSummaryRows) {
    if (row > static_cast<int>(r.rows.size())) continue;
    const ReportRow& shown = r.rows[static_cast<std::size_t>(row) - 1];
    std::string unit = shown.unit;
    if (const std::size_t tab = unit.find('\t'); tab != std::string::npos) unit[tab] = ' ';
    std::printf("  %-22s %s %s\n", shown.label.c_str(), shown.value.c_str(), unit.c_str());
  }
  if (!r.warning.empty()) std::printf("  warning: %s\n", r.warning.c_str());
}

// Everything after the computation: the analysis through the windows, and
// the files. False with one line when an output cannot be made.
bool AnalyseAndWrite(host::Document& document, const host::Bundle& bundle, const AnalyseOptions& o,
                     const host::PositionRange& range, AnalysisReport& report, std::string* problem) {
  const host::Extension* spirometry = bundle.Find(kSpirometryEntry);
  if (spirometry == nullptr) return host::Fail(problem, "the bundle has no Spirometry window extension");
  const std::size_t firstAlert = host::Alerts().size();
  SpirometrySession session(document, *spirometry);
  if (!session.opened()) return host::Fail(problem, QuietDocument::FirstAlert() + " (Spirometry could not be opened)");
  session.Select(range);
  if (const auto script = SettingsScript(o); !script.empty() && !session.EditSettings(script)) {
    return host::Fail(problem, "the settings dialog did not take the settings");
  }
  if (o.subject && !session.EditSubject(*SubjectScript(*o.subject, problem))) {
    return host::Fail(problem, "the subject dialog did not take the subject");
  }
  const std::vector<std::string> messages = MessageList(bundle);
  const std::string& dir = o.compute.outDir;
  const auto labelled = CopiedReport(session, CopyFormat::kNormal);
  const CopyFormat format = CopyFormatOf(o);
  const auto copied = format == CopyFormat::kNormal ? labelled : CopiedReport(session, format);
  if (!labelled || !copied) return host::Fail(problem, "the report could not be copied");
  if (!WriteText(PathIn(dir, "report.txt"), *copied, problem) ||
      !CopyPicture(session, SpiroWindow::kData, format, dir, "data", problem) ||
      !CopyPicture(session, SpiroWindow::kLoop, format, dir, "loop", problem)) {
    return false;
  }
  const std::pair<SpiroWindow, const char*> screens[] = {
      {SpiroWindow::kData, "data.png"}, {SpiroWindow::kLoop, "loop.png"}, {SpiroWindow::kReport, "report.png"}};
  for (const auto& [kind, name] : screens) {
    if (!WriteWindowPng(session.Show(kind), PathIn(dir, name), problem)) return false;
  }
  const std::size_t beforePrint = host::Alerts().size();
  const std::string pdf = PathIn(dir, "report.pdf");
  std::filesystem::remove(pdf);
  session.PrintReport(pdf);
  for (std::size_t i = beforePrint; i < host::Alerts().size(); ++i) {
    if (auto refused = OutcomeOfRefusal(host::Alerts()[i].text, messages, kPrintRefusalEntry)) report.outcome = *refused;
  }
  const bool limited = range.end - range.start > kAnalysedSamples;
  report.warning = WarningOf(firstAlert, limited, messages);
  if (report.outcome.status == 0) {
    if (!std::filesystem::exists(pdf)) return host::Fail(problem, pdf + ": the report was not printed");
    report.rows = ParseReportText(*labelled);
    if (limited) report.outcome.code = kLimitedCode;
  } else {
    // The refusal is the failure line, not a warning.
    report.warning.clear();
  }
  if (!WriteText(PathIn(dir, "report.json"), ReportJson(report.outcome, report.warning, report.rows), problem)) {
    return false;
  }
  return !o.save || host::SaveDocument(document, *o.save, problem);
}

}  // namespace

int RunAnalyse(const AnalyseOptions& o, const host::Bundle& bundle, AnalysisReport* result) {
  if (const auto refused = RefusedComputeOptions(o.compute, bundle)) return UsageFailure(*refused);
  std::vector<std::string> notes;
  if (const auto refused = RefusedAnalyseOptions(o, &notes)) return UsageFailure(*refused);
  for (const std::string& note : notes) std::fprintf(stderr, "vantor: note: %s\n", note.c_str());
  std::string problem;
  if (!o.select.empty() && !ParseSampleSpan(o.select, &problem)) return UsageFailure("--select: " + problem);

  const long memoryFull = toolbox::MemoryFullCount();
  host::Document document;
  QuietDocument quiet(document);
  if (!PrepareComputedDocument(o.compute, bundle, document, &problem)) {
    return Failure(o.compute.file, ProblemWithMemory(memoryFull, problem));
  }
  const auto range = Selection(o, document, &problem);
  if (!range) return Failure(o.compute.file, problem);
  if (const int rc = WriteChannelsCsv(document, o.compute.outDir, memoryFull); rc != 0) return rc;

  AnalysisReport report;
  if (!AnalyseAndWrite(document, bundle, o, *range, report, &problem)) {
    return Failure(o.compute.file, ProblemWithMemory(memoryFull, problem));
  }
  // A drawing or a copy that met a full memory carried on without part of
  // its content: the outputs cannot be trusted.
  if (toolbox::MemoryFullCount() != memoryFull) return Failure(o.compute.file, "out of memory while analysing");
  std::printf("analysed samples %lld:%lld; wrote the windows, the report and report.json to %s\n",
              static_cast<long long>(range->start), static_cast<long long>(range->end), o.compute.outDir.c_str());
  if (result != nullptr) *result = report;
  if (report.outcome.status != 0) return Failure(o.compute.file, report.outcome.message);
  PrintSummary(report);
  return 0;
}

void AddAnalyseCommand(CLI::App& app, const std::string* bundlePath, int* exitCode) {
  auto o = std::make_shared<AnalyseOptions>();
  CLI::App* sub = app.add_subcommand(
      "analyse", "analyse a selected stretch breath by breath: the windows, the report and report.json in DIR");
  AddAnalyseOptions(*sub, *o);
  sub->callback([o, bundlePath, exitCode] {
    *exitCode = Guarded(o->compute.file, [&] {
      std::string problem;
      const auto bundle = host::Bundle::Load(*bundlePath, &problem);
      if (!bundle) return Failure(*bundlePath, problem);
      return RunAnalyse(*o, *bundle);
    });
  });
}

}  // namespace cli
