// Making and disposing of windows, and the registry of live ones.
#include <algorithm>
#include <unordered_set>

#include "event_target.h"
#include "low_objects.h"
#include "toolbox/pascal_string.h"
#include "template_resources.h"
#include "toolbox/resource_templates.h"
#include "window_positioning.h"
#include "window_record.h"

namespace toolbox::internal {
namespace {

constexpr HISize kSmallestContent{64, 64};

std::unordered_set<WindowRef>& LiveWindows() {
  static std::unordered_set<WindowRef> windows;
  return windows;
}

void PlaceInList(WindowRecord& record, WindowRef behind) {
  auto& list = WindowList();
  WindowRecord* after = LiveWindow(behind);
  if (behind == kWindowInFront) {
    list.insert(list.begin(), &record);
  } else if (after == nullptr) {
    list.push_back(&record);
  } else {
    list.insert(std::find(list.begin(), list.end(), after) + 1, &record);
  }
}

HISize StructureSizeOf(HISize content, SInt16 procID) {
  const FrameInsets f = FrameInsetsOf(procID);
  return {content.width + static_cast<float>(f.left + f.right), content.height + static_cast<float>(f.top + f.bottom)};
}

}  // namespace

WindowRecord::~WindowRecord() = default;

std::vector<WindowRecord*>& WindowList() {
  static std::vector<WindowRecord*> list;
  return list;
}

WindowRecord* LiveWindow(WindowRef window) {
  return LiveWindows().count(window) != 0 ? static_cast<WindowRecord*>(window) : nullptr;
}

bool InitWindow(WindowRecord& record, const Rect& content, std::string_view title, bool visible, SInt16 procID,
                WindowRef behind, bool goAway, SInt32 refCon) {
  record.updateRgn = NewRgn();
  if (record.updateRgn == nullptr) {
    SetMemError(memFullErr);
    return false;
  }
  const Rect local{0, 0, static_cast<SInt16>(std::max(0, content.bottom - content.top)),
                   static_cast<SInt16>(std::max(0, content.right - content.left))};
  SetPortBounds(&record.port, &local);
  SetPortGlobalOrigin(&record.port, Point{content.top, content.left});
  record.procID = procID;
  record.visible = visible;
  if (!visible) record.port.visRect = Rect{0, 0, 0, 0};
  record.goAway = goAway;
  record.refCon = refCon;
  record.title = title;
  record.minimumSize = StructureSizeOf(kSmallestContent, procID);
  record.userState = content;
  record.eventTarget = NewEventTarget();
  PlaceInList(record, behind);
  LiveWindows().insert(&record);
  if (visible) InvalWindowRect(&record, &local);
  SetMemError(noErr);
  return true;
}

void DestroyWindow(WindowRecord* record) {
  KillControls(record);
  auto& list = WindowList();
  list.erase(std::remove(list.begin(), list.end(), record), list.end());
  LiveWindows().erase(record);
  DisposeEventTarget(record->eventTarget);
  DisposeRgn(record->updateRgn);
  DeleteLowObject(record);
}

}  // namespace toolbox::internal

using toolbox::internal::LiveWindow;
using toolbox::internal::WindowRecord;

WindowRef NewCWindow(void* /*wStorage*/, const Rect* boundsRect, ConstStr255Param title, bool visible, SInt16 procID,
                     WindowRef behind, bool goAwayFlag, SInt32 refCon) {
  if (boundsRect == nullptr) {
    toolbox::SetMemError(paramErr);
    return nullptr;
  }
  auto* record = toolbox::internal::NewLowObject<WindowRecord>();
  if (!toolbox::internal::InitWindow(*record, *boundsRect, toolbox::PascalView(title), visible, procID,
                                     behind, goAwayFlag, refCon)) {
    toolbox::internal::DeleteLowObject(record);
    return nullptr;
  }
  return record;
}

WindowRef GetNewCWindow(SInt16 windowID, void* wStorage, WindowRef behind) {
  const auto t = toolbox::internal::LoadTemplate(FourCharCode("WIND"), windowID, toolbox::ParseWindowTemplate);
  if (!t) return nullptr;
  const Rect content = toolbox::internal::PositionedContent(*t);
  Str255 title;
  toolbox::StorePascal(title, t->title);
  return NewCWindow(wStorage, &content, title, t->visible, t->procID, behind, t->goAway, t->refCon);
}

void DisposeWindow(WindowRef window) {
  if (WindowRecord* record = LiveWindow(window)) toolbox::internal::DestroyWindow(record);
}

bool IsValidWindowPtr(WindowRef window) { return LiveWindow(window) != nullptr; }
