// Where the host places extension windows and dialogs (HostPositionWindow,
// service 302), remembered by owner name, resource type ('WIND' or 'DLOG'),
// resource id and the extension's own sub-key, so that a window opens where
// the user left it.
#pragma once

#include <compare>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "toolbox/mac_types.h"

namespace host {

struct PlacementKey {
  std::string owner;  // the extension's name, UTF-8
  OSType type = 0;    // 'WIND' or 'DLOG'
  SInt16 id = 0;      // resource id
  SInt16 subKey = 0;  // the extension's fourth argument
  auto operator<=>(const PlacementKey&) const = default;
};

// The global content rectangle last seen for the key.
std::optional<Rect> RememberedPlacement(const PlacementKey& key);
// Everything remembered, for saving between runs, and restoring it.
std::vector<std::pair<PlacementKey, Rect>> RememberedPlacements();
void RememberPlacement(const PlacementKey& key, const Rect& globalContent);
void ForgetPlacements();

}  // namespace host
