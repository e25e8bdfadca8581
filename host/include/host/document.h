// A document: the recording the host holds, and the model every data service
// answers from.
//
// Channels are numbered 1..N and blocks 1..M (0 means none). Each block is one
// contiguous recording: a sampling interval, a start time (seconds since
// 1 January 1904) and the same number of samples for every channel. A channel
// has a title and an input name, and per block (optionally) recorded float32
// samples in fractions of the converter's range with the ChannelScaling that
// converts them to its units. Absolute positions number the samples of all
// blocks one after another: block 1 holds 0..len1-1, block 2 starts at len1.
//
// Block offsets and block numbers travel as i16 between the host and its
// extensions, so a block holds at most kMaxBlockLength samples per channel and
// a document at most kMaxBlocks blocks. An importer splits a longer recording
// into consecutive blocks with AddRecording: they share the sampling interval
// and channel setup, so they form one stretch and computed channels (volume
// integration, drift lines) run across them as across one recording.
//
// Building (importers): AddChannel and AddBlock/AddRecording in any order,
// then SetSamples and SetScaling per channel and block (or per recording). A
// channel without samples in a block has no recorded data there (a computed
// channel usually has none at all). Misuse (a channel or block out of range,
// samples of the wrong length, a block too long) throws std::invalid_argument
// with a one-line reason; the document is then unchanged.
//
// The computed functions attached to channels, the window extensions' local
// data, the command journal and the selection hang off the document
// (computed_channels.h, extension_locals.h, command_journal.h, selection.h);
// the data services (465..504) answer for the current document.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "host/recording.h"
#include "vantor/records.h"

namespace host {

class ComputedChannels;
class CommandJournal;
class ExtensionLocals;
class Selection;
class SampleLocks;
class DocumentResources;

// A sample whose magnitude reaches the converter's full scale is clipped.
inline constexpr float kFullScale = 0.9765625f;
inline constexpr std::int32_t kMaxBlockLength = 32767;
inline constexpr int kMaxBlocks = 32767;

// Consecutive blocks made by AddRecording.
struct BlockRun {
  int first = 0;
  int count = 0;
};

// Default scaling of a channel's block until SetScaling: uncalibrated, raw
// factor 1, unit and base unit "V", 3 decimals.
vantor::ChannelScaling DefaultScaling();
// The BlockTimeFormat of a block sampled every `samplingInterval` seconds:
// time unit "s", display interval = sampling interval.
vantor::BlockTimeFormat TimeFormatFor(double samplingInterval);

// Titles, input names and the name are UTF-8; services hand them to
// extensions in MacRoman. A document must be destroyed before the bundle of
// the extensions open on it; destroying it closes them (message 7), detaches
// its computed functions and, when it is current, leaves no current document.
class Document {
 public:
  Document();
  ~Document();
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  // --- Building ------------------------------------------------------------
  // Adds a channel at the end; its number (1-based). The input name tells the
  // host what is plugged into the input ("Spirometer" for a spirometer); it
  // may be empty (no input).
  int AddChannel(const std::string& title, const std::string& inputName);
  // Adds a block at the end; its number (1-based). samplingInterval > 0 and
  // 0 <= samplesPerChannel <= kMaxBlockLength.
  int AddBlock(double samplingInterval, double startTime1904, std::int32_t samplesPerChannel);
  // Adds one recording of any length as consecutive blocks of at most
  // kMaxBlockLength samples, each starting where the previous one ends.
  BlockRun AddRecording(double samplingInterval, double startTime1904, std::int64_t samplesPerChannel);
  // The channel's recorded samples in the block; exactly samplesPerChannel.
  void SetSamples(int channel, int block, std::vector<float> samples);
  // The channel's recorded samples of a whole recording, split over its blocks.
  void SetSamples(int channel, BlockRun run, std::span<const float> samples);
  // Removes the channel's recorded samples in the block.
  void ClearSamples(int channel, int block);
  void SetScaling(int channel, int block, const vantor::ChannelScaling& scaling);
  void SetScaling(int channel, BlockRun run, const vantor::ChannelScaling& scaling);
  void SetTitle(int channel, const std::string& title);
  void SetInputName(int channel, const std::string& inputName);
  // The sample values of the channel's converter extremes (clipping, 504);
  // until set, the converter's full scale.
  void SetClipLevels(int channel, ClipLevels levels);
  // Flips the sign of the channel's recorded samples in every block (devices
  // that record expiration as positive); its clip levels follow.
  void InvertChannel(int channel);
  // A name for the document (service 528, exports); empty by default.
  void SetName(const std::string& name) { name_ = name; }

  // --- Channels and blocks -----------------------------------------------
  int channelCount() const { return static_cast<int>(channels_.size()); }
  int blockCount() const { return static_cast<int>(blocks_.size()); }
  bool IsChannel(int channel) const { return channel >= 1 && channel <= channelCount(); }
  bool IsBlock(int block) const { return block >= 1 && block <= blockCount(); }
  const std::string& name() const { return name_; }
  // Unique per document made in this run (range records name it).
  std::uint32_t serial() const { return serial_; }
  const std::string& Title(int channel) const;
  const std::string& InputName(int channel) const;
  ClipLevels Clip(int channel) const;
  std::int32_t BlockLength(int block) const;
  double SamplingInterval(int block) const;
  double StartTime(int block) const;
  const vantor::BlockTimeFormat& TimeFormat(int block) const;
  // True when the channel has recorded samples in the block.
  bool HasRecordedData(int channel, int block) const;
  // The recorded samples (empty when there are none).
  const std::vector<float>& RecordedSamples(int channel, int block) const;
  const vantor::ChannelScaling& RecordedScaling(int channel, int block) const;

  // --- Absolute positions (document_positions.cpp) --------------------------
  // The first absolute position of the block; total samples for M + 1.
  std::int64_t BlockStart(int block) const;
  // Samples of all blocks together.
  std::int64_t TotalLength() const { return BlockStart(blockCount() + 1); }
  // The position of an offset in a block (the offset may lie outside it).
  std::int64_t PositionOf(int block, std::int64_t offset) const;
  // The block holding the position: 1..M, 0 when none does (out of range or
  // an empty document). The end of the last block maps to the last block.
  int BlockOfPosition(std::int64_t position) const;

  // --- Stretches (document_stretches.cpp) ---------------------------------
  // A block continues the previous one when both have the same sampling
  // interval and the same channel setup (the same channels hold recorded data,
  // with the same scaling). A stretch is a maximal run of such blocks;
  // stretches are numbered 1.. in order.
  bool ContinuesPrevious(int block) const;
  int StretchOfBlock(int block) const;
  int FirstBlockOfStretch(int stretch) const;
  int LastBlockOfStretch(int stretch) const;

  // --- Block -1 --------------------------------------------------------------
  // The block being sampled (live replay) or 0 when nothing is.
  int samplingBlock() const { return samplingBlock_; }
  void SetSamplingBlock(int block) { samplingBlock_ = block; }
  // Block -1 stands for the block being sampled, or the last block when
  // nothing is; other numbers are returned as they are.
  int ResolveBlock(int block) const;

  // --- What hangs off the document ---------------------------------------
  ComputedChannels& computed() { return *computed_; }
  const ComputedChannels& computed() const { return *computed_; }
  ExtensionLocals& extensions() { return *extensions_; }
  // Sample blocks lent to extensions (services 468..472).
  SampleLocks& locks() { return *locks_; }
  CommandJournal& journal() { return *journal_; }
  const CommandJournal& journal() const { return *journal_; }
  Selection& selection() { return *selection_; }
  // The document's own resource file (extensions' settings for it).
  DocumentResources& resources() { return *resources_; }
  const Selection& selection() const { return *selection_; }

  // Counts changes to recorded data, scaling and block structure; cached
  // computed blocks made at an older revision are stale.
  std::uint64_t revision() const { return revision_; }

 private:
  struct ChannelBlock {
    std::optional<std::vector<float>> samples;
    vantor::ChannelScaling scaling;
  };
  struct Channel {
    std::string title;
    std::string inputName;
    std::vector<ChannelBlock> blocks;  // one per document block
    ClipLevels clip{-kFullScale, kFullScale};
  };
  struct Block {
    vantor::BlockTimeFormat format;
    double startTime1904;
    std::int32_t length;
  };

  ChannelBlock& At(int channel, int block);
  const ChannelBlock& At(int channel, int block) const;
  void RequireChannel(int channel) const;
  void RequireBlock(int block) const;
  void Touch() { ++revision_; }
  // Where each stretch starts, worked out once per revision: services ask
  // for the stretch of every block they compute.
  struct StretchIndex {
    std::uint64_t revision = ~std::uint64_t{0};
    std::vector<int> stretchOfBlock;  // per block, from block 1
    std::vector<int> firstBlocks;     // per stretch, from stretch 1
  };
  const StretchIndex& Stretches() const;

  std::string name_;
  std::uint32_t serial_;
  std::vector<Channel> channels_;
  std::vector<Block> blocks_;
  std::vector<std::int64_t> blockStarts_;  // M + 1 entries: 0, len1, len1+len2, ...
  int samplingBlock_ = 0;
  std::uint64_t revision_ = 0;
  mutable StretchIndex stretches_;
  std::unique_ptr<ComputedChannels> computed_;
  std::unique_ptr<ExtensionLocals> extensions_;
  std::unique_ptr<SampleLocks> locks_;
  std::unique_ptr<CommandJournal> journal_;
  std::unique_ptr<Selection> selection_;
  std::unique_ptr<DocumentResources> resources_;
};

// The document the data services, ranges and commands act on; null when none
// is open. The caller keeps ownership; HostQueryValue(1539) answers its
// channel count.
Document* CurrentDocument();
void SetCurrentDocument(Document* document);

// Makes a document current for a scope (the host's own work on a document
// that is not the one in front), restoring the previous one afterwards.
class ScopedCurrentDocument {
 public:
  explicit ScopedCurrentDocument(Document& document) : saved_(CurrentDocument()) {
    SetCurrentDocument(&document);
  }
  ~ScopedCurrentDocument() { SetCurrentDocument(saved_); }
  ScopedCurrentDocument(const ScopedCurrentDocument&) = delete;
  ScopedCurrentDocument& operator=(const ScopedCurrentDocument&) = delete;

 private:
  Document* saved_;
};

}  // namespace host
