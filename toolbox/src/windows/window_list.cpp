// Visibility, highlighting and the front-to-back order of windows.
#include <algorithm>

#include "window_record.h"

using toolbox::internal::LiveWindow;
using toolbox::internal::WindowList;
using toolbox::internal::WindowRecord;

namespace {

constexpr Rect kNoRect{0, 0, 0, 0};

void SetVisible(WindowRecord& w, bool visible) {
  if (w.visible == visible) return;
  w.visible = visible;
  w.port.visRect = visible ? w.port.portRect : kNoRect;
  if (visible) InvalWindowRect(&w, &w.port.portRect);
}

// As the platform does when the front window changes: only the front
// window is highlighted.
void HiliteFrontOnly() {
  const WindowRef front = FrontWindow();
  for (WindowRecord* w : WindowList()) w->hilited = (w == front);
}

void MoveInList(WindowRecord& w, std::size_t position) {
  auto& list = WindowList();
  list.erase(std::find(list.begin(), list.end(), &w));
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(std::min(position, list.size())), &w);
}

}  // namespace

void ShowWindow(WindowRef window) {
  WindowRecord* w = LiveWindow(window);
  if (w == nullptr || w->visible) return;
  SetVisible(*w, true);
  HiliteFrontOnly();
}

void HideWindow(WindowRef window) {
  WindowRecord* w = LiveWindow(window);
  if (w == nullptr || !w->visible) return;
  SetVisible(*w, false);
  w->hilited = false;
  HiliteFrontOnly();
}

void ShowHide(WindowRef window, bool showFlag) {
  if (WindowRecord* w = LiveWindow(window)) SetVisible(*w, showFlag);
}

bool IsWindowVisible(WindowRef window) {
  const WindowRecord* w = LiveWindow(window);
  return w != nullptr && w->visible;
}

void SelectWindow(WindowRef window) {
  WindowRecord* w = LiveWindow(window);
  if (w == nullptr) return;
  MoveInList(*w, 0);
  HiliteFrontOnly();
}

void BringToFront(WindowRef window) {
  if (WindowRecord* w = LiveWindow(window)) MoveInList(*w, 0);
}

void SendBehind(WindowRef window, WindowRef behindWindow) {
  WindowRecord* w = LiveWindow(window);
  if (w == nullptr || w == behindWindow) return;
  const auto& list = WindowList();
  WindowRecord* behind = LiveWindow(behindWindow);
  const std::size_t position =
      behind == nullptr ? list.size()
                        : static_cast<std::size_t>(std::find(list.begin(), list.end(), behind) - list.begin());
  // Removing the window first shifts every later place by one.
  const std::size_t own = static_cast<std::size_t>(std::find(list.begin(), list.end(), w) - list.begin());
  MoveInList(*w, behind == nullptr ? list.size() : (own < position ? position : position + 1));
}

void HiliteWindow(WindowRef window, bool fHilite) {
  if (WindowRecord* w = LiveWindow(window)) w->hilited = fHilite;
}

bool IsWindowHilited(WindowRef window) {
  const WindowRecord* w = LiveWindow(window);
  return w != nullptr && w->hilited;
}

WindowRef FrontWindow() {
  const auto& list = WindowList();
  const auto front = std::find_if(list.begin(), list.end(), [](const WindowRecord* w) { return w->visible; });
  return front == list.end() ? nullptr : *front;
}

WindowRef FrontNonFloatingWindow() { return FrontWindow(); }

WindowRef GetWindowList() { return WindowList().empty() ? nullptr : WindowList().front(); }

WindowRef GetNextWindow(WindowRef window) {
  WindowRecord* w = LiveWindow(window);
  if (w == nullptr) return nullptr;
  const auto& list = WindowList();
  const auto at = std::find(list.begin(), list.end(), w);
  return at + 1 == list.end() ? nullptr : *(at + 1);
}
