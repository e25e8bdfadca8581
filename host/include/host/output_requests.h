// What extensions hand the host for its output jobs between the job services
// (640, 642, 643): the title of the next job (160) and the pictures they place
// on a page (161). The job services take them from here.
#pragma once

#include <string>
#include <vector>

#include "toolbox/mac_types.h"

namespace host {

struct PlacedPicture {
  Rect destination{};               // where the host asked for the picture
  Rect placed{};                    // where it was drawn, in the same port's coordinates
  std::vector<unsigned char> pict;  // the PICT bytes as handed over (the extension kills its handle)
};

struct OutputRequests {
  std::string nextTitle;               // UTF-8; empty when no title is pending
  std::vector<PlacedPicture> pictures;  // in the order placed
};

OutputRequests& PendingOutput();
// The pending title, which is then cleared: a job takes it when it starts.
std::string TakeNextOutputTitle();

}  // namespace host
