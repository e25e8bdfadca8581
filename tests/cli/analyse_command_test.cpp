// vantor analyse end to end on synthetic recordings whose truth is known:
// the numbers of the analysis, the files a user takes away agreeing with each
// other, the refusals, and the report read back from the copied text.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sqlite3.h>

#include "analyse_command.h"
#include "cli_suite.h"
#include "report_rows.h"
#include "support/command_output.h"
#include "toolbox/memory.h"
#include "toolbox/scrap.h"

namespace {

namespace fs = std::filesystem;

// The text of a PDF, empty where no pdftotext is installed.
std::string PrintedText(const std::string& pdf) {
  return CommandOutput("pdftotext -layout '" + pdf + "' - 2>/dev/null");
}

// The width of a PICT's frame (after the 512-byte header and the size word).
int PictWidth(const std::string& path) {
  const std::string bytes = ReadAll(path);
  if (bytes.size() < 522) return 0;
  const auto at = [&](std::size_t i) { return (static_cast<unsigned char>(bytes[i]) << 8) | static_cast<unsigned char>(bytes[i + 1]); };
  return at(520) - at(516);
}

class AnalyseCommand : public BundleSuite {
 protected:
  static void SetUpTestSuite() {
    BundleSuite::SetUpTestSuite();
    cli::SynthParameters p = Imperfect(0.1, 0.002, 0.003);
    p.seed = 7;
    Synth("manoeuvre.edf", p);
    p.breathing.seconds = 170;
    Synth("long.edf", p);
    truth_ = nlohmann::json::parse(ReadAll(Temp("manoeuvre.json")));
  }
  // The copies leave the clipboard full, as they would for a user.
  void TearDown() override { ClearCurrentScrap(); }
  static cli::AnalyseOptions Options(const std::string& out, const std::string& file = "manoeuvre.edf") {
    cli::AnalyseOptions o;
    o.compute.file = Temp(file);
    o.compute.outDir = Temp(out);
    o.compute.flow.drift = true;
    o.compute.volume.noCorrection = true;
    return o;
  }
  static std::pair<int, std::string> Run(const cli::AnalyseOptions& o, cli::AnalysisReport* report = nullptr) {
    return Quietly([&] { return cli::RunAnalyse(o, *bundle_, report); });
  }
  static double Row(const cli::AnalysisReport& r, int row) { return r.rows.at(static_cast<std::size_t>(row) - 1).number.value_or(NAN); }

  static nlohmann::json truth_;
};
nlohmann::json AnalyseCommand::truth_;

// What report.json, report.txt and the printed page say is the same report;
// copy format 4 makes the copied text one line and the pictures four times the size.
TEST_F(AnalyseCommand, EveryOutputIsWrittenAndTheyAgree) {
  cli::AnalyseOptions o = Options("outputs");
  o.subject = "Zoe Example,37,F,171,64";
  ASSERT_EQ(Run(o).first, 0);
  for (const char* name : {"data.png", "loop.png", "report.png", "data.pict", "loop.pict", "data-picture.png",
                           "loop-picture.png", "report.txt", "report.pdf", "report.json", "channels.csv"}) {
    EXPECT_GT(fs::exists(o.compute.outDir + "/" + name) ? fs::file_size(o.compute.outDir + "/" + name) : 0u, 0u) << name;
  }
  const auto json = nlohmann::json::parse(ReadAll(o.compute.outDir + "/report.json"));
  const auto copied = cli::ParseReportText(ReadAll(o.compute.outDir + "/report.txt"));
  ASSERT_EQ(json["rows"].size(), 17u);
  ASSERT_EQ(copied.size(), 17u);
  const std::string printed = PrintedText(o.compute.outDir + "/report.pdf");
  for (std::size_t i = 0; i < 17; ++i) {
    EXPECT_EQ(json["rows"][i]["value"], copied[i].value) << "row " << i + 1;
    EXPECT_EQ(json["rows"][i]["unit"], copied[i].unit) << "row " << i + 1;
    if (!printed.empty() && !copied[i].label.empty()) {
      EXPECT_NE(printed.find(copied[i].label), std::string::npos) << copied[i].label << " not printed";
      EXPECT_NE(printed.find(copied[i].value), std::string::npos) << copied[i].value << " not printed";
    }
  }
  for (const char* subject : {"Zoe Example", "37", "Female", "171 cm", "64 kg"}) {
    EXPECT_TRUE(printed.empty() || printed.find(subject) != std::string::npos) << subject;
  }
  cli::AnalyseOptions large = Options("large");
  large.copyFormat = 4;
  ASSERT_EQ(Run(large).first, 0);
  const std::string line = ReadAll(large.compute.outDir + "/report.txt");
  EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
  EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 10) << "the values of rows 3, 5, 6, 8-10, 12, 13, 15-17";
  for (const char* pict : {"/data.pict", "/loop.pict"}) {
    EXPECT_EQ(PictWidth(large.compute.outDir + pict), 4 * PictWidth(o.compute.outDir + pict)) << pict;
  }
}

// A stretch without breathing is refused with its status and code; one past
// the analysis limit is analysed over its start, with a warning.
TEST_F(AnalyseCommand, SelectionsWithoutBreathingOrPastTheLimit) {
  cli::AnalyseOptions o = Options("rest");
  o.select = "0s:2s";  // the rest before the first breath
  const auto [rc, error] = Run(o);
  EXPECT_EQ(rc, 1);
  const auto json = nlohmann::json::parse(ReadAll(o.compute.outDir + "/report.json"));
  EXPECT_EQ(json["status"], 3);
  EXPECT_EQ(json["code"], 6);
  EXPECT_TRUE(json["rows"].empty());
  EXPECT_NE(error.find("No breathing"), std::string::npos) << error;
  cli::AnalysisReport r;
  ASSERT_EQ(Run(Options("long", "long.edf"), &r).first, 0);
  EXPECT_EQ(r.outcome.code, 14);
  EXPECT_NE(r.warning.find("16000"), std::string::npos) << r.warning;
  EXPECT_LE(Row(r, 3), 160.0) << "seconds analysed";
}

class RefusedAnalyseOption : public AnalyseCommand,
                             public ::testing::WithParamInterface<void (*)(cli::AnalyseOptions&)> {};

TEST_P(RefusedAnalyseOption, BeforeAnythingIsRead) {
  cli::AnalyseOptions o = Options("refused");
  o.compute.file = Temp("no-such-file.edf");
  GetParam()(o);
  EXPECT_EQ(Run(o).first, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Options, RefusedAnalyseOption,
    ::testing::Values([](cli::AnalyseOptions& o) { o.forcedFactor = 10.5; },
                      [](cli::AnalyseOptions& o) { o.forcedFactor = NAN; },
                      [](cli::AnalyseOptions& o) { o.flowThreshold = -1; },
                      [](cli::AnalyseOptions& o) { o.flowThreshold = 101; },
                      [](cli::AnalyseOptions& o) { o.copyFormat = 2; },
                      [](cli::AnalyseOptions& o) { o.reportGraph = "pie"; },
                      [](cli::AnalyseOptions& o) { o.subject = "Ann,40,F,170"; },
                      [](cli::AnalyseOptions& o) { o.subject = "Ann,forty,F,170,60"; },
                      [](cli::AnalyseOptions& o) { o.subject = "Ann,40,X,170,60"; },
                      [](cli::AnalyseOptions& o) { o.subject = std::string(32, 'n') + ",40,F,170,60"; },
                      [](cli::AnalyseOptions& o) { o.select = "5s:2"; }));

// A saved document brings back the recording, the computed channels and the
// analysis's settings, so the reopened document reports the same; a damaged
// copy is refused.
TEST_F(AnalyseCommand, ASavedDocumentReopensWithItsChannelsAndSettings) {
  cli::AnalyseOptions o = Options("saving");
  o.forcedFactor = 10;  // above the forced expiration's ratio to the mean: nothing is forced
  o.subject = "Ida Example,61,F,160,55";
  o.save = Temp("saving/analysis.vantor");
  ASSERT_EQ(Run(o).first, 0);
  cli::AnalyseOptions reopened;
  reopened.compute.file = *o.save;
  reopened.compute.outDir = Temp("reopened");
  cli::AnalysisReport r;
  ASSERT_EQ(Run(reopened, &r).first, 0);
  EXPECT_EQ(r.rows.at(14).value, "?") << "the forced factor was not kept";
  for (const char* file : {"/report.json", "/report.txt", "/channels.csv"}) {
    EXPECT_EQ(ReadAll(reopened.compute.outDir + file), ReadAll(o.compute.outDir + file)) << file;
  }
  const std::string printed = PrintedText(reopened.compute.outDir + "/report.pdf");
  EXPECT_TRUE(printed.empty() || printed.find("Ida Example") != std::string::npos) << printed;
  reopened.compute.flow.drift = true;
  EXPECT_EQ(Run(reopened).first, 2) << "a document brings its own computation";
  // A document damaged elsewhere is refused with one line, whatever is wrong in it.
  cli::AnalyseOptions damaged;
  damaged.compute.file = Temp("saving/copy.vantor");
  damaged.compute.outDir = Temp("damaged");
  for (const std::string change :
       {"cut 4096", "cut 0", "text", "UPDATE document SET format = 2", "DELETE FROM document", "DELETE FROM journal",
        "UPDATE journal SET entries = x'0102'", "DELETE FROM resources", "UPDATE resources SET file = x'00'",
        "UPDATE samples SET samples = zeroblob(3)", "UPDATE samples SET scaling = zeroblob(4)",
        "UPDATE samples SET channel = 9 WHERE channel = 2", "UPDATE blocks SET sampling_interval = 0",
        "UPDATE blocks SET length = 40000", "UPDATE channels SET number = 5 WHERE number = 2",
        "UPDATE computed SET extension = 'Elsewhere'", "UPDATE computed SET channel = 7 WHERE channel = 2",
        "UPDATE extensions SET entry = 'Main9'", "DROP TABLE samples"}) {
    fs::copy_file(*o.save, damaged.compute.file, fs::copy_options::overwrite_existing);
    if (change.starts_with("cut ")) {
      fs::resize_file(damaged.compute.file, std::stoul(change.substr(4)));
    } else if (change == "text") {
      std::ofstream(damaged.compute.file) << "Time,Flow\n0,1\n";
    } else {
      sqlite3* db = nullptr;
      ASSERT_EQ(sqlite3_open(damaged.compute.file.c_str(), &db), SQLITE_OK);
      EXPECT_EQ(sqlite3_exec(db, change.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
      sqlite3_close(db);
    }
    const auto [rc, error] = Run(damaged);
    EXPECT_EQ(rc, 1) << change << ": " << error;
    EXPECT_EQ(std::count(error.begin(), error.end(), '\n'), 1) << change << ": " << error;
  }
}

// Memory running out anywhere ends in success or in a line that says so.
TEST_F(AnalyseCommand, EveryFailedAllocationEndsInTheResultOrAnOutOfMemoryLine) {
  const cli::AnalyseOptions o = Options("analyse-failing");
  int failures = 0;
  for (long n = 1;; n += n < 40 ? 1 : n / 3) {
    toolbox::FailAllocationAfter(n);
    cli::AnalysisReport r;
    const auto [rc, error] = Run(o, &r);
    const bool reached = toolbox::AllocationsCounted() >= n;
    toolbox::FailAllocationAfter(0);
    if (rc != 0) {
      ++failures;
      EXPECT_NE(error.find("emory"), std::string::npos) << "allocation " << n << ": " << error;
    } else {
      EXPECT_NEAR(Row(r, 15), truth_["forcedExpiration"]["fvcLitres"].get<double>(), 0.12) << "allocation " << n;
    }
    if (!reached) break;
    ASSERT_LT(n, 20000) << "allocations without end";
  }
  EXPECT_GE(failures, 10);
}

}  // namespace

namespace cli {
namespace {

struct ShownRow {
  const char* line;
  const char* label;
  const char* value;
  const char* unit;
  double number;  // NaN: none
};

// The copied report's rows split into label, value and unit.
TEST(ReportTextRows, SplitIntoLabelValueAndUnit) {
  const ShownRow shown[] = {
      {"Duration\t54.06 s\t(0.90 min)", "Duration", "54.06", "s\t(0.90 min)", 54.06},
      {"FEV1/FVC\t80.3%", "FEV1/FVC", "80.3", "%", 80.3},
      {"FVC\t?", "FVC", "?", "", NAN},
      {"FEV1\t? mL", "FEV1", "?", "mL", NAN},
      {"Expirations\t12", "Expirations", "12", "", 12},
      {"Flow channel\tSpirometer flow", "Flow channel", "Spirometer flow", "", NAN},
      {"Flow channel\t2nd flow", "Flow channel", "2nd flow", "", NAN},
      {"VE\t-0.5 mL/s", "VE", "-0.5", "mL/s", -0.5},
      {"Breaths\t", "Breaths", "", "", NAN},
      {"", "", "", "", NAN},
  };
  for (const ShownRow& s : shown) {
    SCOPED_TRACE(s.line);
    const auto rows = ParseReportText(std::string("first\r") + s.line + "\r");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].row, 2);
    EXPECT_EQ(rows[1].label, s.label);
    EXPECT_EQ(rows[1].value, s.value);
    EXPECT_EQ(rows[1].unit, s.unit);
    EXPECT_EQ(rows[1].number.has_value(), !std::isnan(s.number));
    if (rows[1].number) {
      EXPECT_DOUBLE_EQ(*rows[1].number, s.number);
    }
  }
}

// The refusal with a code is read back end to end; a bare one has none, and
// any other text is no outcome.
TEST(AnalysisOutcome, ABareRefusalHasNoCodeAndOtherTextsNoOutcome) {
  const std::vector<std::string> withHeading{"No selection.", "No data.", "Cannot analyse.", "Gap.", "Slow.",
                                             "No breathing.", "Cannot print: "};
  const auto bare = OutcomeOfRefusal("Cannot print: No selection.", withHeading, 7);
  ASSERT_TRUE(bare);
  EXPECT_EQ(bare->status, 1);
  EXPECT_EQ(bare->code, 0);
  for (const char* other : {"Cannot print: something else", "Spirometry: Out of memory"}) {
    EXPECT_FALSE(OutcomeOfRefusal(other, withHeading, 7)) << other;
  }
  EXPECT_FALSE(OutcomeOfRefusal("Cannot print: Cannot analyse. (No breathing.)", withHeading, 3)) << "another heading";
}

}  // namespace
}  // namespace cli
