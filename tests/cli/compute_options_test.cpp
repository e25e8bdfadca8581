// vantor compute's options: what the command line sets, and the settings
// commands each becomes.
#include <gtest/gtest.h>

#include "compute_command.h"
#include "compute_options.h"

namespace {

using cli::SettingCommand;
using Commands = std::vector<SettingCommand>;

TEST(FlowCommands, DefaultsSubmitOnlyTheSourceSoThatSettingsExist) {
  const auto commands = cli::FlowCommands({}, 3, nullptr);
  ASSERT_TRUE(commands);
  EXPECT_EQ(*commands, (Commands{{8193, std::int16_t{3}}}));
}

TEST(FlowCommands, RefuseContradictions) {
  const std::pair<cli::FlowOptions, const char*> cases[] = {
      {{2, 1.0, std::nullopt, std::nullopt, std::nullopt, std::nullopt}, "--model and custom coefficients"},
      {{std::nullopt, std::nullopt, 0.01, std::nullopt, std::nullopt, std::nullopt}, "--nonlinearity needs --scale"},
      {{0, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt}, "--model must be a model number"},
  };
  for (const auto& [options, expected] : cases) {
    std::string problem;
    EXPECT_FALSE(cli::FlowCommands(options, 1, &problem));
    EXPECT_NE(problem.find(expected), std::string::npos) << problem;
  }
}

TEST(VolumeCommands, ACustomThresholdSelectsTheCustomRowFirst) {
  EXPECT_EQ(*cli::VolumeCommands({}, 4, nullptr), (Commands{{8193, std::int16_t{4}}}));
  cli::VolumeOptions o;
  o.thresholdLitres = 0.3;
  EXPECT_EQ(*cli::VolumeCommands(o, 1, nullptr), (Commands{{8193, std::int16_t{1}}, {8197, std::int16_t{-1}}, {8198, 0.3}}));
  o.thresholdRow = 3;
  std::string problem;
  EXPECT_FALSE(cli::VolumeCommands(o, 1, &problem));
  EXPECT_NE(problem.find("exclude each other"), std::string::npos);
}

TEST(ComputeCommandLine, UnsetOptionsStayUnset) {
  CLI::App app;
  int exitCode = -1;
  const std::string bundle = "unused";
  cli::AddComputeCommand(app, &bundle, &exitCode);
  cli::FlowOptions flow;
  cli::VolumeOptions volume;
  CLI::App probe;
  cli::AddFlowOptions(probe, flow);
  cli::AddVolumeOptions(probe, volume);
  probe.parse(std::vector<std::string>{});
  EXPECT_FALSE(flow.linearise);
  EXPECT_FALSE(flow.drift);
  EXPECT_FALSE(flow.model);
  EXPECT_FALSE(volume.noCorrection);
  probe.parse(std::vector<std::string>{"--drift", "--no-linearise", "1.5", "--scale"});
  ASSERT_TRUE(flow.linearise && flow.drift && flow.scale);
  EXPECT_FALSE(*flow.linearise);
  EXPECT_TRUE(*flow.drift);
  EXPECT_EQ(*flow.scale, 1.5);
  std::vector<std::string> help = {"--help", "compute"};
  EXPECT_THROW(app.parse(help), CLI::CallForHelp);
  EXPECT_EQ(exitCode, -1);
}

}  // namespace
