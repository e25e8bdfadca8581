// Carbon events: class, kind and typed parameters, reference counted.
#include <algorithm>
#include <cstring>
#include <vector>

#include "toolbox/carbon_events.h"

struct EventParameter {
  EventParamName name;
  EventParamType type;
  std::vector<unsigned char> data;
};

struct OpaqueEventRef {
  UInt32 eventClass = 0;
  UInt32 kind = 0;
  int references = 1;
  std::vector<EventParameter> parameters;
};

OSStatus CreateEvent(void* /*inAllocator*/, UInt32 inClassID, UInt32 inKind, double /*inWhen*/, UInt32 /*inAttributes*/,
                     EventRef* outEvent) {
  if (outEvent == nullptr) return paramErr;
  *outEvent = new OpaqueEventRef{inClassID, inKind, 1, {}};
  return noErr;
}

EventRef RetainEvent(EventRef inEvent) {
  if (inEvent != nullptr) ++inEvent->references;
  return inEvent;
}

void ReleaseEvent(EventRef inEvent) {
  if (inEvent != nullptr && --inEvent->references == 0) delete inEvent;
}

UInt32 GetEventClass(EventRef inEvent) { return inEvent != nullptr ? inEvent->eventClass : 0; }
UInt32 GetEventKind(EventRef inEvent) { return inEvent != nullptr ? inEvent->kind : 0; }

OSStatus SetEventParameter(EventRef inEvent, EventParamName inName, EventParamType inType, UInt32 inSize,
                           const void* inDataPtr) {
  if (inEvent == nullptr || (inDataPtr == nullptr && inSize > 0)) return paramErr;
  const auto* bytes = static_cast<const unsigned char*>(inDataPtr);
  EventParameter parameter{inName, inType, {bytes, bytes + inSize}};
  auto& parameters = inEvent->parameters;
  const auto same = std::find_if(parameters.begin(), parameters.end(),
                                 [inName](const EventParameter& p) { return p.name == inName; });
  if (same != parameters.end()) {
    *same = std::move(parameter);
  } else {
    parameters.push_back(std::move(parameter));
  }
  return noErr;
}

OSStatus GetEventParameter(EventRef inEvent, EventParamName inName, EventParamType inDesiredType,
                           EventParamType* outActualType, UInt32 inBufferSize, UInt32* outActualSize, void* outData) {
  if (inEvent == nullptr) return paramErr;
  const auto& parameters = inEvent->parameters;
  const auto found = std::find_if(parameters.begin(), parameters.end(),
                                  [inName](const EventParameter& p) { return p.name == inName; });
  if (found == parameters.end()) return eventParameterNotFoundErr;
  if (inDesiredType != typeWildCard && inDesiredType != found->type) return errAECoercionFail;
  const auto size = static_cast<UInt32>(found->data.size());
  if (outActualType != nullptr) *outActualType = found->type;
  if (outActualSize != nullptr) *outActualSize = size;
  if (outData == nullptr) return noErr;  // a caller asking only for the type or size
  if (inBufferSize < size) return paramErr;
  if (size > 0) std::memcpy(outData, found->data.data(), size);
  return noErr;
}
