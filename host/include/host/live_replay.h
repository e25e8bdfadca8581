// Replaying a document as if it were being sampled: the host's live path.
//
// For each block in turn the block becomes the block being sampled (block -1
// of the data services, HostQueryValue(100) reports recording); the recorded
// samples of every channel enter the input rings in chunks; channels without a
// function copy them to their output rings; each computed channel, sources
// first, gets ComputeLive (message 15: i16 last offset done, i16 last offset to
// do, i16 ring length, i16 own channel, 32 input ring addresses at 12 and 32
// output ring addresses at 140; rings are float arrays in the low arena).
// Notification 101 comes before the first block, 100 at the start of each
// block, 102 after the last. What the output rings received becomes each
// computed channel's displayed samples (until they are stale).
#pragma once

#include <string>

namespace host {

class Document;

struct LiveReplayOptions {
  int ringLength = 1024;  // 2 .. 32767
  int chunk = 256;        // samples per ComputeLive, 1 .. ringLength
};

// False with a one-line reason when the document has more channels than the
// rings (32) or the options are out of range; nothing is sent then.
bool ReplayLive(Document& document, const LiveReplayOptions& options, std::string* error);

}  // namespace host
