// Handler procedures, their installation on targets and dispatch.
#include <algorithm>
#include <unordered_set>
#include <vector>

#include "event_target.h"
#include "low_objects.h"

struct OpaqueEventHandlerUPP {
  EventHandlerProcPtr procedure;
};

struct OpaqueEventHandlerRef {
  EventTargetRef target;
  EventHandlerUPP upp;
  std::vector<EventTypeSpec> types;
  void* userData;
};

struct OpaqueEventTargetRef {
  std::vector<EventHandlerRef> handlers;  // in order of installation
};

// One dispatch: the handlers still to ask, newest first.
struct OpaqueEventHandlerCallRef {
  std::vector<EventHandlerRef> chain;
  std::size_t next = 0;
};

namespace {

std::unordered_set<EventHandlerRef>& LiveHandlers() {
  static std::unordered_set<EventHandlerRef> handlers;
  return handlers;
}

bool Handles(const OpaqueEventHandlerRef& handler, EventRef event) {
  return std::any_of(handler.types.begin(), handler.types.end(), [event](const EventTypeSpec& t) {
    return t.eventClass == GetEventClass(event) && t.eventKind == GetEventKind(event);
  });
}

void DeleteHandler(EventHandlerRef handler) {
  LiveHandlers().erase(handler);
  delete handler;
}

// Asks the rest of the chain; a handler removed meanwhile is skipped.
OSStatus Dispatch(OpaqueEventHandlerCallRef& call, EventRef event) {
  while (call.next < call.chain.size()) {
    EventHandlerRef handler = call.chain[call.next++];
    if (LiveHandlers().count(handler) == 0 || !Handles(*handler, event)) continue;
    const OSStatus result = InvokeEventHandlerUPP(&call, event, handler->userData, handler->upp);
    if (result != eventNotHandledErr) return result;
  }
  return eventNotHandledErr;
}

}  // namespace

EventHandlerUPP NewEventHandlerUPP(EventHandlerProcPtr userRoutine) {
  return toolbox::internal::NewLowObject<OpaqueEventHandlerUPP>(OpaqueEventHandlerUPP{userRoutine});
}

void DisposeEventHandlerUPP(EventHandlerUPP userUPP) { toolbox::internal::DeleteLowObject(userUPP); }

OSStatus InvokeEventHandlerUPP(EventHandlerCallRef inHandlerCallRef, EventRef inEvent, void* inUserData,
                               EventHandlerUPP userUPP) {
  if (userUPP == nullptr || userUPP->procedure == nullptr) return eventNotHandledErr;
  return userUPP->procedure(inHandlerCallRef, inEvent, inUserData);
}

OSStatus InstallEventHandler(EventTargetRef inTarget, EventHandlerUPP inHandler, ItemCount inNumTypes,
                             const EventTypeSpec* inList, void* inUserData, EventHandlerRef* outRef) {
  if (inTarget == nullptr || inHandler == nullptr || inNumTypes == 0 || inList == nullptr) return paramErr;
  auto* handler = new OpaqueEventHandlerRef{inTarget, inHandler, {inList, inList + inNumTypes}, inUserData};
  LiveHandlers().insert(handler);
  inTarget->handlers.push_back(handler);
  if (outRef != nullptr) *outRef = handler;
  return noErr;
}

OSStatus RemoveEventHandler(EventHandlerRef inHandlerRef) {
  if (LiveHandlers().count(inHandlerRef) == 0) return paramErr;
  auto& handlers = inHandlerRef->target->handlers;
  handlers.erase(std::remove(handlers.begin(), handlers.end(), inHandlerRef), handlers.end());
  DeleteHandler(inHandlerRef);
  return noErr;
}

OSStatus CallNextEventHandler(EventHandlerCallRef inCallRef, EventRef inEvent) {
  if (inCallRef == nullptr || inEvent == nullptr) return paramErr;
  return Dispatch(*inCallRef, inEvent);
}

OSStatus SendEventToEventTarget(EventRef inEvent, EventTargetRef inTarget) {
  if (inEvent == nullptr || inTarget == nullptr) return paramErr;
  OpaqueEventHandlerCallRef call;
  call.chain.assign(inTarget->handlers.rbegin(), inTarget->handlers.rend());
  return Dispatch(call, inEvent);
}

namespace toolbox::internal {

EventTargetRef NewEventTarget() { return new OpaqueEventTargetRef; }

void DisposeEventTarget(EventTargetRef target) {
  if (target == nullptr) return;
  for (EventHandlerRef handler : target->handlers) DeleteHandler(handler);
  delete target;
}

}  // namespace toolbox::internal
