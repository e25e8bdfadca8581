#include "extension/spiro_window_clicks.h"

#include "extension/axis_scales.h"
#include "extension/port_helpers.h"
#include "extension/spiro_commands.h"
#include "extension/spiro_window_events.h"
#include "frame/host_services_commands.h"
#include "frame/host_services_scales.h"
#include "frame/shared_constants.h"
#include "spirometry/analysis.h"
#include "toolbox/menus.h"
#include "toolbox/quickdraw.h"
#include "util/handle_record.h"

namespace spiro {

namespace spirometry {
namespace {

constexpr MenuItemIndex kPlotOptionItem = 1;
// Answers of an axis to a click (service 386).
constexpr std::int16_t kAxisMissed = 0;
constexpr std::int16_t kAxisRangeTyped = 1;
constexpr std::int16_t kAxisDefaultRange = 2;
constexpr std::int16_t kAxisFirstChannel = 3;  // channel item part - 3
constexpr std::int16_t kVolumeSelector = 2;
constexpr std::int16_t kFlowSelector = 1;

std::uint16_t Key(const VantorExtensionBase& extension, std::uint16_t code) {
  return static_cast<std::uint16_t>(extension.MapLocalId(code));
}

// The check follows the option both ways, so the menu never shows an option
// that was turned off.
void PopUpPlotOptions(const VantorExtensionBase& extension, SpiroPlotWindowRecord& plot) {
  const bool active = plot.common.active != 0;
  DrawPopUpButton(plot.popUpRect, kPopUpIcon, true, active);
  CheckMenuItem(plot.popUpMenu, kPlotOptionItem, plot.plotOption != 0);
  InsertMenu(plot.popUpMenu, hierMenu);
  Point corner{plot.popUpRect.bottom, plot.popUpRect.left};
  LocalToGlobal(&corner);
  const SInt32 choice = PopUpMenuSelect(plot.popUpMenu, corner.v, corner.h, 0);
  DeleteMenu(GetMenuID(plot.popUpMenu));
  DrawPopUpButton(plot.popUpRect, kPopUpIcon, false, active);
  if ((choice & 0xFFFF) == kPlotOptionItem) {
    HostSubmitCommandShortPairAlt(Key(extension, kPlotOptionCommand), kPlotWindow, kPlotOptionItem,
                                  plot.plotOption == 0 ? 1 : 0);
  }
}

// Marks the chosen channel among the items after the menu's own.
void MarkChannel(MenuRef menu, std::int16_t ownItems, std::int16_t channel) {
  if (menu == nullptr) return;
  const UInt16 items = CountMenuItems(menu);
  for (int item = ownItems + 1; item <= items; ++item) {
    CheckMenuItem(menu, static_cast<MenuItemIndex>(item), item - ownItems == channel);
  }
}

struct AxisClick {
  void* axis;
  double keptOffset;  // the mapping the loop was last drawn with
  double keptScale;
  std::uint16_t rangeCommand;
  std::int16_t selector;
  MenuRef channelMenu;
  std::int16_t ownItems;
  std::int16_t channel;
};

// False when the click was not on the axis.
bool ClickAxis(const VantorExtensionBase& extension, const AxisClick& a, void* event) {
  if (a.axis == nullptr) return false;
  MarkChannel(a.channelMenu, a.ownItems, a.channel);
  const std::int16_t part = HostService386(a.axis, event);
  const std::uint16_t rangeKey = Key(extension, a.rangeCommand);
  double first = 0.0;
  double second = 0.0;
  if (part < kAxisMissed) {
    if (!AxisRangeDiffers(a.axis, a.keptOffset, a.keptScale)) return true;
    HostScaleGet364(a.axis, &first, &second);
  } else if (part == kAxisMissed) {
    return false;
  } else if (part == kAxisRangeTyped) {
    HostService367(a.axis, 2, &first, &second);
  } else if (part == kAxisDefaultRange) {
    first = kThousandOver1024;
    second = kMinusThousandOver1024;
  } else {
    HostSubmitCommandShort(Key(extension, kChannelCommand), a.selector,
                           static_cast<std::int16_t>(part - kAxisFirstChannel));
    return true;
  }
  HostSubmitCommandDoublePair(rangeKey, kPlotWindow, first, second);
  return true;
}

// Axis clicks need a readable loop: not without a selection, nor while a
// failed analysis has no channel to show.
bool AxesTakeClicks(const SpiroWindowRecord& common, const LocalDataType& data) {
  if (common.status == kAnalysisNoSelection) return false;
  return common.status == kAnalysisValid || (data.flowChannel != 0 && data.volumeChannel != 0);
}

}  // namespace

void ClickInSpiroWindow(const VantorExtensionBase& extension, WindowRef window, Point point,
                        void* event, LocalDataType** local) {
  if (local == nullptr) return;
  const std::int16_t kind = WindowIndexOf(window, local);
  if (kind < 1) return;
  const Handle handle = (*local)->windowRecords[kind - 1];
  if (handle == nullptr) return;
  const HandleLock lockLocal(reinterpret_cast<Handle>(local));
  const HandleLock lock(handle);
  auto& plot = *reinterpret_cast<SpiroPlotWindowRecord*>(*handle);
  if (plot.common.kind != kPlotWindow) return;
  const ScopedWindowPort port(window);
  if (plot.popUpMenu != nullptr && PtInRect(point, &plot.popUpRect)) {
    PopUpPlotOptions(extension, plot);
    return;
  }
  const LocalDataType& data = **local;
  if (!AxesTakeClicks(plot.common, data)) return;
  const AxisClick volume{plot.volumeAxis,      plot.volumeAxisOffset, plot.volumeAxisScale,
                         kVolumeRangeCommand,  kVolumeSelector,       data.volumeMenu,
                         data.volumeMenuOwnItems, data.volumeChannel};
  if (ClickAxis(extension, volume, event)) return;
  const AxisClick flow{plot.flowAxis,      plot.flowAxisOffset, plot.flowAxisScale,
                       kFlowRangeCommand,  kFlowSelector,       data.flowMenu,
                       data.flowMenuOwnItems, data.flowChannel};
  ClickAxis(extension, flow, event);
}

}  // namespace spirometry

}  // namespace spiro
