#include "host/document.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "host/command_journal.h"
#include "host/computed_channels.h"
#include "host/document_resources.h"
#include "host/extension_locals.h"
#include "host/host_context.h"
#include "host/sample_locks.h"
#include "host/selection.h"

namespace host {
namespace {

struct Documents {
  Document* current = nullptr;
  std::uint32_t lastSerial = 0;
};

Document*& Current() { return ProcessState<Documents>().current; }
std::uint32_t NextSerial() { return ++ProcessState<Documents>().lastSerial; }

// DoMenuCommand telling window extensions a channel's title changed (data:
// the channel).
constexpr std::int16_t kChannelRenamed = 402;

[[noreturn]] void Refuse(const std::string& what) { throw std::invalid_argument(what); }

}  // namespace

Document::Document()
    : serial_(NextSerial()),
      blockStarts_{0},
      computed_(std::make_unique<ComputedChannels>(*this)),
      extensions_(std::make_unique<ExtensionLocals>(*this)),
      locks_(std::make_unique<SampleLocks>()),
      journal_(std::make_unique<CommandJournal>()),
      selection_(std::make_unique<Selection>()),
      resources_(std::make_unique<DocumentResources>()) {}

Document::~Document() {
  // The extensions may still call back while they let go; the document is
  // whole until they have.
  extensions_->CloseAll();
  computed_->DetachAll();
  if (Current() == this) Current() = nullptr;
}

Document* CurrentDocument() { return Current(); }
void SetCurrentDocument(Document* document) { Current() = document; }

void Document::RequireChannel(int channel) const {
  if (!IsChannel(channel)) Refuse("no channel " + std::to_string(channel));
}

void Document::RequireBlock(int block) const {
  if (!IsBlock(block)) Refuse("no block " + std::to_string(block));
}

Document::ChannelBlock& Document::At(int channel, int block) {
  RequireChannel(channel);
  RequireBlock(block);
  return channels_[static_cast<std::size_t>(channel - 1)].blocks[static_cast<std::size_t>(block - 1)];
}

const Document::ChannelBlock& Document::At(int channel, int block) const {
  RequireChannel(channel);
  RequireBlock(block);
  return channels_[static_cast<std::size_t>(channel - 1)].blocks[static_cast<std::size_t>(block - 1)];
}

int Document::AddChannel(const std::string& title, const std::string& inputName) {
  if (channelCount() >= kMaxBlocks) Refuse("too many channels");
  Channel channel{title, inputName, {}};
  channel.blocks.resize(blocks_.size(), ChannelBlock{std::nullopt, DefaultScaling()});
  channels_.push_back(std::move(channel));
  Touch();
  return channelCount();
}

int Document::AddBlock(double samplingInterval, double startTime1904, std::int32_t samplesPerChannel) {
  if (!(samplingInterval > 0) || !std::isfinite(samplingInterval)) {
    Refuse("sampling interval must be a positive number of seconds");
  }
  if (samplesPerChannel < 0 || samplesPerChannel > kMaxBlockLength) {
    Refuse("a block holds 0 to " + std::to_string(kMaxBlockLength) + " samples per channel");
  }
  if (blockCount() >= kMaxBlocks) Refuse("too many blocks");
  blocks_.push_back(Block{TimeFormatFor(samplingInterval), startTime1904, samplesPerChannel});
  blockStarts_.push_back(blockStarts_.back() + samplesPerChannel);
  for (Channel& channel : channels_) channel.blocks.push_back(ChannelBlock{std::nullopt, DefaultScaling()});
  Touch();
  return blockCount();
}

BlockRun Document::AddRecording(double samplingInterval, double startTime1904,
                                std::int64_t samplesPerChannel) {
  if (samplesPerChannel < 0) Refuse("a recording cannot have a negative length");
  const std::int64_t count = std::max<std::int64_t>(1, (samplesPerChannel + kMaxBlockLength - 1) / kMaxBlockLength);
  if (blockCount() + count > kMaxBlocks) Refuse("too many blocks");
  if (!(samplingInterval > 0) || !std::isfinite(samplingInterval)) {
    Refuse("sampling interval must be a positive number of seconds");
  }
  BlockRun run{blockCount() + 1, static_cast<int>(count)};
  std::int64_t done = 0;
  for (int i = 0; i < run.count; ++i) {
    const auto length = static_cast<std::int32_t>(std::min<std::int64_t>(kMaxBlockLength, samplesPerChannel - done));
    AddBlock(samplingInterval, startTime1904 + static_cast<double>(done) * samplingInterval, length);
    done += length;
  }
  return run;
}

void Document::SetSamples(int channel, int block, std::vector<float> samples) {
  ChannelBlock& cell = At(channel, block);
  if (static_cast<std::int64_t>(samples.size()) != BlockLength(block)) {
    Refuse("block " + std::to_string(block) + " holds " + std::to_string(BlockLength(block)) +
           " samples per channel, not " + std::to_string(samples.size()));
  }
  cell.samples = std::move(samples);
  Touch();
}

void Document::SetSamples(int channel, BlockRun run, std::span<const float> samples) {
  RequireChannel(channel);
  if (run.count < 1 || !IsBlock(run.first) || !IsBlock(run.first + run.count - 1)) Refuse("no such blocks");
  const std::int64_t total = BlockStart(run.first + run.count) - BlockStart(run.first);
  if (static_cast<std::int64_t>(samples.size()) != total) {
    Refuse("the blocks hold " + std::to_string(total) + " samples per channel, not " +
           std::to_string(samples.size()));
  }
  std::size_t done = 0;
  for (int b = run.first; b < run.first + run.count; ++b) {
    const auto n = static_cast<std::size_t>(BlockLength(b));
    SetSamples(channel, b, std::vector<float>(samples.begin() + static_cast<std::ptrdiff_t>(done),
                                              samples.begin() + static_cast<std::ptrdiff_t>(done + n)));
    done += n;
  }
}

void Document::ClearSamples(int channel, int block) {
  At(channel, block).samples.reset();
  Touch();
}

void Document::SetScaling(int channel, int block, const vantor::ChannelScaling& scaling) {
  At(channel, block).scaling = scaling;
  Touch();
}

void Document::SetScaling(int channel, BlockRun run, const vantor::ChannelScaling& scaling) {
  RequireChannel(channel);
  if (run.count < 1 || !IsBlock(run.first) || !IsBlock(run.first + run.count - 1)) Refuse("no such blocks");
  for (int b = run.first; b < run.first + run.count; ++b) SetScaling(channel, b, scaling);
}

void Document::SetTitle(int channel, const std::string& title) {
  RequireChannel(channel);
  channels_[static_cast<std::size_t>(channel - 1)].title = title;
  // Window extensions name channels in their menus and reports.
  extensions_->SendMenuCommand(kChannelRenamed, 0, static_cast<std::uint32_t>(channel));
}

void Document::SetInputName(int channel, const std::string& inputName) {
  RequireChannel(channel);
  channels_[static_cast<std::size_t>(channel - 1)].inputName = inputName;
}

void Document::SetClipLevels(int channel, ClipLevels levels) {
  RequireChannel(channel);
  channels_[static_cast<std::size_t>(channel - 1)].clip = levels;
  Touch();
}

void Document::InvertChannel(int channel) {
  RequireChannel(channel);
  Channel& c = channels_[static_cast<std::size_t>(channel - 1)];
  for (ChannelBlock& block : c.blocks) {
    if (!block.samples) continue;
    for (float& x : *block.samples) x = -x;
  }
  c.clip = {-c.clip.high, -c.clip.low};
  Touch();
}

ClipLevels Document::Clip(int channel) const {
  RequireChannel(channel);
  return channels_[static_cast<std::size_t>(channel - 1)].clip;
}

const std::string& Document::Title(int channel) const {
  RequireChannel(channel);
  return channels_[static_cast<std::size_t>(channel - 1)].title;
}

const std::string& Document::InputName(int channel) const {
  RequireChannel(channel);
  return channels_[static_cast<std::size_t>(channel - 1)].inputName;
}

std::int32_t Document::BlockLength(int block) const {
  return IsBlock(block) ? blocks_[static_cast<std::size_t>(block - 1)].length : 0;
}

double Document::SamplingInterval(int block) const {
  RequireBlock(block);
  return blocks_[static_cast<std::size_t>(block - 1)].format.samplingInterval;
}

double Document::StartTime(int block) const {
  RequireBlock(block);
  return blocks_[static_cast<std::size_t>(block - 1)].startTime1904;
}

const vantor::BlockTimeFormat& Document::TimeFormat(int block) const {
  RequireBlock(block);
  return blocks_[static_cast<std::size_t>(block - 1)].format;
}

bool Document::HasRecordedData(int channel, int block) const {
  return IsChannel(channel) && IsBlock(block) && At(channel, block).samples.has_value();
}

const std::vector<float>& Document::RecordedSamples(int channel, int block) const {
  static const std::vector<float> none;
  const ChannelBlock& cell = At(channel, block);
  return cell.samples ? *cell.samples : none;
}

const vantor::ChannelScaling& Document::RecordedScaling(int channel, int block) const {
  return At(channel, block).scaling;
}

int Document::ResolveBlock(int block) const {
  if (block != -1) return block;
  return samplingBlock_ > 0 ? samplingBlock_ : blockCount();
}

}  // namespace host
