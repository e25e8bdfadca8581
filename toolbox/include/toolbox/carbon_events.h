// Carbon Event Manager, the part windows need: handlers installed on a
// window's event target for (class, kind) pairs, events with typed
// parameters, and dispatch to the handlers, newest first, until one handles
// the event. The Window Manager sends kEventWindowBoundsChanged itself
// whenever a window's bounds change.
//
// Handler procedures are reached through universal procedure pointers that
// live in the low arena, so a UPP fits the host's 32-bit fields.
#pragma once

#include <cstddef>

#include "toolbox/mac_types.h"
#include "toolbox/quickdraw.h"

struct OpaqueEventRef;
using EventRef = OpaqueEventRef*;
struct OpaqueEventTargetRef;
using EventTargetRef = OpaqueEventTargetRef*;
struct OpaqueEventHandlerRef;
using EventHandlerRef = OpaqueEventHandlerRef*;
struct OpaqueEventHandlerCallRef;
using EventHandlerCallRef = OpaqueEventHandlerCallRef*;
using EventParamName = OSType;
using EventParamType = OSType;
using ItemCount = UInt32;

using EventHandlerProcPtr = OSStatus (*)(EventHandlerCallRef inHandlerCallRef, EventRef inEvent, void* inUserData);
struct OpaqueEventHandlerUPP;
using EventHandlerUPP = OpaqueEventHandlerUPP*;

struct EventTypeSpec {
  UInt32 eventClass;
  UInt32 eventKind;
};

enum : UInt32 {
  kEventClassMouse = FourCharCode("mous"),
  kEventClassWindow = FourCharCode("wind"),
  kEventClassControl = FourCharCode("cntl"),
  kEventClassCommand = FourCharCode("cmds"),
};

enum : UInt32 {
  kEventWindowBoundsChanging = 26,
  kEventWindowBoundsChanged = 27,
};

enum : EventParamName {
  kEventParamDirectObject = FourCharCode("----"),
  kEventParamAttributes = FourCharCode("attr"),
  kEventParamOriginalBounds = FourCharCode("orct"),
  kEventParamPreviousBounds = FourCharCode("prct"),
  kEventParamCurrentBounds = FourCharCode("crct"),
};

enum : EventParamType {
  typeWildCard = FourCharCode("****"),
  typeWindowRef = FourCharCode("wind"),
  typeUInt32 = FourCharCode("magn"),
  typeQDRectangle = FourCharCode("qdrt"),
};

// Attributes of kEventWindowBoundsChanged.
enum : UInt32 {
  kWindowBoundsChangeUserDrag = 1u << 0,
  kWindowBoundsChangeUserResize = 1u << 1,
  kWindowBoundsChangeSizeChanged = 1u << 2,
  kWindowBoundsChangeOriginChanged = 1u << 3,
};

// MacErrors.h values.
enum : OSStatus {
  errAECoercionFail = -1700,
  eventInternalErr = -9868,
  eventParameterNotFoundErr = -9870,
  eventNotHandledErr = -9874,
};

EventHandlerUPP NewEventHandlerUPP(EventHandlerProcPtr userRoutine);
void DisposeEventHandlerUPP(EventHandlerUPP userUPP);
OSStatus InvokeEventHandlerUPP(EventHandlerCallRef inHandlerCallRef, EventRef inEvent, void* inUserData,
                               EventHandlerUPP userUPP);

// outRef may be null. paramErr for a null target or UPP, or no types.
OSStatus InstallEventHandler(EventTargetRef inTarget, EventHandlerUPP inHandler, ItemCount inNumTypes,
                             const EventTypeSpec* inList, void* inUserData, EventHandlerRef* outRef);
// paramErr for a handler already removed (or removed with its window).
OSStatus RemoveEventHandler(EventHandlerRef inHandlerRef);
// Passes the event on to the handlers installed before the one running.
OSStatus CallNextEventHandler(EventHandlerCallRef inCallRef, EventRef inEvent);
OSStatus SendEventToEventTarget(EventRef inEvent, EventTargetRef inTarget);
EventTargetRef GetWindowEventTarget(WindowRef inWindow);

// Events are reference counted: CreateEvent gives one reference.
OSStatus CreateEvent(void* inAllocator, UInt32 inClassID, UInt32 inKind, double inWhen, UInt32 inAttributes,
                     EventRef* outEvent);
EventRef RetainEvent(EventRef inEvent);
void ReleaseEvent(EventRef inEvent);
UInt32 GetEventClass(EventRef inEvent);
UInt32 GetEventKind(EventRef inEvent);
OSStatus SetEventParameter(EventRef inEvent, EventParamName inName, EventParamType inType, UInt32 inSize,
                           const void* inDataPtr);
// A missing parameter: eventParameterNotFoundErr. A parameter of another type
// than desiredType (unless typeWildCard): errAECoercionFail. A buffer smaller
// than the parameter: paramErr, nothing copied. outActualType and
// outActualSize may be null; so may outData, to ask only for type and size.
OSStatus GetEventParameter(EventRef inEvent, EventParamName inName, EventParamType inDesiredType,
                           EventParamType* outActualType, UInt32 inBufferSize, UInt32* outActualSize, void* outData);
