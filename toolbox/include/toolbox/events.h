// Classic events: the record that modal dialog filters receive, its kinds
// and modifier bits, and the tick count.
#pragma once

#include "toolbox/mac_types.h"

using EventKind = UInt16;
using EventModifiers = UInt16;

enum : EventKind {
  nullEvent = 0,
  mouseDown = 1,
  mouseUp = 2,
  keyDown = 3,
  keyUp = 4,
  autoKey = 5,
  updateEvt = 6,
  activateEvt = 8,
};

enum : EventModifiers {
  activeFlag = 0x0001,
  btnState = 0x0080,
  cmdKey = 0x0100,
  shiftKey = 0x0200,
  alphaLock = 0x0400,
  optionKey = 0x0800,
  controlKey = 0x1000,
};

// Parts of a key event's message.
enum : UInt32 {
  charCodeMask = 0x000000FF,
  keyCodeMask = 0x0000FF00,
};

// Characters of the keys a dialog treats specially.
enum : UInt8 {
  kEnterCharCode = 0x03,
  kTabCharCode = 0x09,
  kReturnCharCode = 0x0D,
  kEscapeCharCode = 0x1B,
};

#pragma pack(push, 2)
struct EventRecord {
  EventKind what;
  UInt32 message;  // key events: character and key code; update and activate: the window
  UInt32 when;     // ticks
  Point where;     // global
  EventModifiers modifiers;
};
#pragma pack(pop)
static_assert(sizeof(EventRecord) == 16);

// Sixtieths of a second since the Toolbox started.
UInt32 TickCount();
