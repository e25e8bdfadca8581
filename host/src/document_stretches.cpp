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

int Document::StretchOfBlock(int block) const {
  if (!IsBlock(block)) return 0;
  int stretch = 0;
  for (int b = 1; b <= block; ++b) {
    if (!ContinuesPrevious(b)) ++stretch;
  }
  return stretch;
}

int Document::FirstBlockOfStretch(int stretch) const {
  if (stretch < 1) return 0;
  int seen = 0;
  for (int b = 1; b <= blockCount(); ++b) {
    if (!ContinuesPrevious(b) && ++seen == stretch) return b;
  }
  return 0;
}

int Document::LastBlockOfStretch(int stretch) const {
  int b = FirstBlockOfStretch(stretch);
  if (b == 0) return 0;
  while (b < blockCount() && ContinuesPrevious(b + 1)) ++b;
  return b;
}

}  // namespace host
