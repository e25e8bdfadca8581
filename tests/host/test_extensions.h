// Small extensions for testing the host's document model through its real
// entry-point protocol: a computed function that scales a source channel, and
// a window extension that records the commands and requests it receives.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/bundle.h"
#include "host/document.h"

namespace testext {

// Local codes the scale function performs (command record: i32 channel at 4).
inline constexpr std::uint16_t kSetSource = 1;        // i16 at 8: source channel (own = recorded input)
inline constexpr std::uint16_t kSetFactor = 2;        // f64 at 8
inline constexpr std::uint16_t kSetFactorTwice = 3;   // f64 at 8: performs it, then submits kSetFactor again
inline constexpr std::uint16_t kSettingsRecord = 8192;  // i16 size at 8, address at 10: {i16 source, f64 factor}

// What the scale function saw, for assertions.
struct ScaleLog {
  std::vector<std::int16_t> notifications;       // codes, in order
  std::vector<std::int16_t> computedBlocks;      // blocks ComputeBlock ran for
  std::vector<std::int16_t> settingsSizes;       // sizes of 8192 records received
  int liveCalls = 0;
  bool answerProtocol = true;                    // answers 8000 with 4277
  bool acceptEdit = true;                        // answer to 8010 / message 9
  void Clear() { *this = ScaleLog{}; }
};
ScaleLog& Log();

// The scale function: output = factor × source sample. A new channel's
// function reads its own recorded input with factor 1; kSetSource to another
// channel reads that channel's displayed samples through 471. It keeps its
// settings in a handle of their own hung from the local record (allocated on
// the first command), like the product's functions.
host::Extension MakeScaleFunction(const std::string& name = "Test Scale");

// The window extension's log of PerformCommand (message 8) records.
struct DeliveredCommand {
  std::int16_t valueFormat;
  std::uint16_t localCode;
  std::int32_t index;
  std::vector<unsigned char> values;  // record bytes 8..23
  std::vector<unsigned char> data;    // for 28: the copy the record points at
  std::int16_t dataSize;
  int depth;                          // nesting when it arrived
};
struct WindowLog {
  std::vector<DeliveredCommand> commands;
  // Message 9 as laid out: command at 4, data at 6, value at 10.
  struct MenuCommand {
    std::int16_t command;
    std::uint32_t data;
    std::int16_t value;
    bool operator==(const MenuCommand&) const = default;
  };
  std::vector<MenuCommand> menuCommands;
  // Performing this local code submits `echoCode` with service 7 (re-entrant).
  std::uint16_t echoTrigger = 0xFFFF;
  std::uint16_t echoCode = 0;
  void Clear() { *this = WindowLog{}; }
};
WindowLog& Windows();
host::Extension MakeWindowExtension(const std::string& name = "Test Window");

// A document of `channels` channels ("Ch 1"..) and one block of `length`
// samples with channel c's sample i = c * 0.01 + i * 0.001.
std::unique_ptr<host::Document> MakeDocument(int channels, std::int32_t length, int blocks = 1);

// The key the extension's local command code is submitted under.
std::uint16_t KeyOf(std::uint16_t code, const host::Extension& extension);

// A test on a document of MakeDocument's, current until the test ends.
class DocumentTest : public ::testing::Test {
 protected:
  void Open(int channels, std::int32_t length, int blocks = 1) {
    document = MakeDocument(channels, length, blocks);
    host::SetCurrentDocument(document.get());
  }
  void TearDown() override {
    document.reset();
    host::SetCurrentDocument(nullptr);
  }
  std::unique_ptr<host::Document> document;
};

}  // namespace testext
