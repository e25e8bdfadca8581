// The queue behind the script of user actions.
#include <algorithm>
#include <deque>

#include "toolbox/script.h"

namespace toolbox {
namespace {

std::deque<ScriptAction>& Queue() {
  static std::deque<ScriptAction> queue;
  return queue;
}

ScriptAction Action(ScriptActionKind kind) {
  ScriptAction action;
  action.kind = kind;
  return action;
}

}  // namespace

ScriptAction ItemHitAction(SInt16 item) {
  ScriptAction action = Action(ScriptActionKind::kItemHit);
  action.item = item;
  return action;
}

ScriptAction TypeTextAction(SInt16 item, std::string_view macRomanText) {
  ScriptAction action = Action(ScriptActionKind::kTypeText);
  action.item = item;
  action.text = macRomanText;
  return action;
}

ScriptAction KeyAction(unsigned char character) {
  ScriptAction action = Action(ScriptActionKind::kKey);
  action.text.assign(1, static_cast<char>(character));
  return action;
}

ScriptAction MenuChoiceAction(SInt16 item) {
  ScriptAction action = Action(ScriptActionKind::kMenuChoice);
  action.item = item;
  return action;
}

ScriptAction MenuChoiceByTextAction(std::string_view macRomanText) {
  ScriptAction action = Action(ScriptActionKind::kMenuChoice);
  action.text = macRomanText;
  return action;
}

ScriptAction GrowTargetAction(SInt16 width, SInt16 height) {
  ScriptAction action = Action(ScriptActionKind::kGrowTarget);
  action.point = Point{height, width};
  return action;
}

ScriptAction DragTargetAction(SInt16 left, SInt16 top) {
  ScriptAction action = Action(ScriptActionKind::kDragTarget);
  action.point = Point{top, left};
  return action;
}

ScriptAction ZoomTargetAction(const Rect& globalContent) {
  ScriptAction action = Action(ScriptActionKind::kZoomTarget);
  action.rect = globalContent;
  return action;
}

ScriptAction ClickAction(Point local) {
  ScriptAction action = Action(ScriptActionKind::kClick);
  action.point = local;
  return action;
}

void PushScriptAction(ScriptAction action) { Queue().push_back(std::move(action)); }

std::optional<ScriptAction> TakeScriptAction(std::initializer_list<ScriptActionKind> kinds) {
  auto& queue = Queue();
  if (queue.empty() || std::find(kinds.begin(), kinds.end(), queue.front().kind) == kinds.end()) {
    return std::nullopt;
  }
  ScriptAction front = std::move(queue.front());
  queue.pop_front();
  return front;
}

const ScriptAction* PeekScriptAction() { return Queue().empty() ? nullptr : &Queue().front(); }

std::size_t PendingScriptActions() { return Queue().size(); }

void ClearScript() { Queue().clear(); }

}  // namespace toolbox
