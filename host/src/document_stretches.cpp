// Stretches: maximal runs of blocks each of which continues the previous one.
#include <cstring>

#include "host/document.h"

namespace host {

bool Document::ContinuesPrevious(int block) const {
  if (!IsBlock(block) || block == 1) return false;
  if (SamplingInterval(block) != SamplingInterval(block - 1)) return false;
  for (int c = 1; c <= channelCount(); ++c) {
    if (HasRecordedData(c, block) != HasRecordedData(c, block - 1)) return false;
    if (std::memcmp(&RecordedScaling(c, block), &RecordedScaling(c, block - 1),
                    sizeof(vantor::ChannelScaling)) != 0) {
      return false;
    }
  }
  return true;
}

const Document::StretchIndex& Document::Stretches() const {
  if (stretches_.revision == revision_) return stretches_;
  stretches_.stretchOfBlock.clear();
  stretches_.firstBlocks.clear();
  for (int b = 1; b <= blockCount(); ++b) {
    if (!ContinuesPrevious(b)) stretches_.firstBlocks.push_back(b);
    stretches_.stretchOfBlock.push_back(static_cast<int>(stretches_.firstBlocks.size()));
  }
  stretches_.revision = revision_;
  return stretches_;
}

int Document::StretchOfBlock(int block) const {
  if (!IsBlock(block)) return 0;
  return Stretches().stretchOfBlock[static_cast<std::size_t>(block - 1)];
}

int Document::FirstBlockOfStretch(int stretch) const {
  const std::vector<int>& firsts = Stretches().firstBlocks;
  if (stretch < 1 || stretch > static_cast<int>(firsts.size())) return 0;
  return firsts[static_cast<std::size_t>(stretch - 1)];
}

int Document::LastBlockOfStretch(int stretch) const {
  const std::vector<int>& firsts = Stretches().firstBlocks;
  if (stretch < 1 || stretch > static_cast<int>(firsts.size())) return 0;
  return stretch == static_cast<int>(firsts.size()) ? blockCount()
                                                    : firsts[static_cast<std::size_t>(stretch)] - 1;
}

}  // namespace host
